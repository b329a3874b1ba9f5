// The report: one write statement per format, then the file is opened in the editor.
#include <cstdint>
#include <string>

#include "aleta/editor.h"
#include "aleta/relatorio.h"
#include "aleta/relatorio_formatos.h"
#include "fin/tip_scheme.h"
#include "textio/record_writer.h"
#include "textio/unit_close.h"
#include "textio/unit_open.h"
#include "textio/unit_table.h"

namespace aleta {
namespace {

constexpr int kUnit = 1;

class ReportWriter {
 public:
  explicit ReportWriter(textio::UnitRecord& unit) : writer_(unit) {}

  template <std::size_t Size, typename... Values>
  void statement(const textio::Latin1Text<Size>& format, Values... values) {
    statement(format.view(), values...);
  }
  // `format` in Windows-1252, as the record writer executes it.
  template <typename... Values>
  void statement(std::string_view format, Values... values) {
    writer_.write_begin(format);
    (put(values), ...);
    writer_.write_end();
  }

 private:
  void put(double value) { writer_.write_real(value); }
  void put(std::int32_t value) { writer_.write_integer(value); }

  textio::RecordWriter writer_;
};

// The tip condition; for a scheme that iterates, the iteration's controls, outcome and history.
void write_tip_condition(ReportWriter& out, const fin::IterationInput& iteration,
                         const fin::Case<double>& c) {
  using namespace formatos;
  const std::string format = scheme_format(fin::scheme_name(c.scheme), fin::iterates(c.scheme));
  if (!fin::iterates(c.scheme)) {
    out.statement(format);
    return;
  }
  const fin::Solution<double>& s = c.solution;
  out.statement(format, iteration.T0, iteration.itmax, iteration.tol, s.it, s.final_l1());
  out.statement(F4, s.L1[0], s.L2[0], s.Linf[0]);
  out.statement(F5, std::int32_t{0}, 1.0, 1.0, 1.0);  // iteration 0 is 1 by definition
  for (std::int64_t i = 1; i <= s.it; ++i) {
    out.statement(F6, static_cast<std::int32_t>(i), s.L1[i] / s.L1[0], s.L2[i] / s.L2[0],
                  s.Linf[i] / s.Linf[0]);
  }
}

void write_sections(ReportWriter& out, const ReportData& data) {
  using namespace formatos;
  const fin::GeneralInput& in = data.input;
  const fin::Case<double>& c = data.result;
  out.statement(F1, in.Tb, in.Tinf, in.h, in.k, in.Ab, in.P, in.L);
  out.statement(F2, c.mesh.N);
  write_tip_condition(out, data.iteration, c);
  out.statement(F7);
  const std::int32_t n = c.mesh.N;
  const double T = c.solution.T[n];
  const double Ta = c.exact.tip();
  out.statement(F8, c.mesh.x[n], T, Ta, Ta - T);
  const double qa = c.exact.qa;
  out.statement(F9, qa, c.rates.qdds1, qa - c.rates.qdds1, c.rates.qdds2, qa - c.rates.qdds2);
  out.statement(F10, data.tempo);
}

}  // namespace

void write_report(platform::FileSystem& files, const ReportData& data) {
  textio::UnitRecord& unit =
      textio::open_unit(files, kUnit, data.name.data(), static_cast<int>(data.name.size()));
  ReportWriter out(unit);
  write_sections(out, data);
  // The editor gets the file that was written: the name as the open used it, which may have
  // come from the command line or the console when the name was blank.
  const std::string written(textio::unit_file_name(unit));
  textio::close_unit(kUnit);
  open_in_editor(written);
}

}  // namespace aleta
