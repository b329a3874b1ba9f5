// The report: one write statement per format, then the file is opened in the editor.
#include <cstdint>
#include <string>

#include "fin/dados.h"
#include "fin/dados_formatos.h"
#include "platform/command_quoting.h"
#include "process/launcher.h"
#include "textio/record_writer.h"
#include "textio/units.h"

namespace fin {
namespace {

constexpr int kUnit = 1;

void put(double value) { textio::write_real(value); }
void put(std::int32_t value) { textio::write_integer(value); }

template <std::size_t Size, typename... Values>
void write_statement(const textio::Latin1Text<Size>& format, Values... values) {
  textio::write_begin(kUnit, format.view());
  (put(values), ...);
  textio::write_end();
}

void write_iteration_history(const CaseRecord& c) {
  using namespace formatos;
  write_statement(F3b, c.T0, c.itmax, c.tol, c.it, c.L1[c.it] / c.L1[0]);
  write_statement(F4, c.L1[0], c.L2[0], c.Linf[0]);
  write_statement(F5, std::int32_t{0}, 1.0, 1.0, 1.0);  // iteration 0 is 1 by definition
  for (std::int64_t i = 1; i <= c.it; ++i) {
    write_statement(F6, static_cast<std::int32_t>(i), c.L1[i] / c.L1[0], c.L2[i] / c.L2[0], c.Linf[i] / c.Linf[0]);
  }
}

void write_sections(const CaseRecord& c) {
  using namespace formatos;
  write_statement(F1, c.Tb, c.Tinf, c.h, c.k, c.Ab, c.P, c.L);
  write_statement(F2, c.N);
  if (c.scheme == 1) {
    write_statement(F3a);
  } else if (c.scheme == 2) {
    write_iteration_history(c);
  }
  write_statement(F7);
  const std::int32_t n = c.N;
  write_statement(F8, c.x[n], c.T[n], c.Ta[n], c.Ta[n] - c.T[n]);
  write_statement(F9, c.qa, c.qdds1, c.qa - c.qdds1, c.qdds2, c.qa - c.qdds2);
  write_statement(F10, c.tempo);
}

}  // namespace

void write_report(CaseRecord& c) {
  textio::open_unit(kUnit, c.saida.data(), static_cast<int>(c.saida.size()));
  write_sections(c);
  // The editor gets the file that was written: the name as the open used it, which may have
  // come from the command line or the console when saida was blank.
  const std::string written(textio::unit_file_name(textio::connected_unit(kUnit)));
  textio::close_unit(kUnit);
  const std::string command = "notepad " + platform::quoted_command_argument(written);
  c.launch_status = process::run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

}  // namespace fin
