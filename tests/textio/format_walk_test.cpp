#include "textio/format_walk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace textio {
namespace {

// Collects the records of a statement in memory.
class RecordList : public RecordSink {
 public:
  void put(const char* bytes, std::size_t count) override { current_.append(bytes, count); }
  void end_record() override {
    records.push_back(current_);
    current_.clear();
  }
  std::vector<std::string> records;

 private:
  std::string current_;
};

WriteValue real(double value) { return {WriteValue::Kind::Real, value, 0}; }
WriteValue integer(std::int32_t value) { return {WriteValue::Kind::Integer, 0, value}; }

std::vector<std::string> run(std::string_view format, const std::vector<WriteValue>& values = {}) {
  RecordList list;
  FormatWalker().execute(format, values, list);
  return list.records;
}

using Records = std::vector<std::string>;

std::string blanks(int count) { return std::string(count, ' '); }
std::string stars(int count) { return std::string(count, '*'); }

// A label placed by "T30" after a 25-column field: blanks in columns 26 to 29.
std::string labelled(const std::string& field, const std::string& label) {
  return field + blanks(29 - static_cast<int>(field.size())) + label;
}

// --- The report's formats, with the values of the worked fin case. Expected records are built
// --- from the layout: columns, lengths and the Latin-1 bytes of the labels.

const char kF1[] =
    "('Difus\xE3o de Calor 1DP em Aleta Sujeita a Convec\xE7\xE3o na Extremidade',2/,"
    "'********************************************************************************************************',/,"
    "'Par\xE2metros F\xEDsicos *************************************************************************************',/,"
    "'********************************************************************************************************',2/,"
    "1P,E25.15,T30,' = Tb:     temperatura da base [\xBA" "C]',/,"
    "1P,E25.15,T30,' = Tinf:   temperatura do fluido [\xBA" "C]',/,"
    "1P,E25.15,T30,' = h:      coeficiente de convec\xE7\xE3o [W/m2*K]',/,"
    "1P,E25.15,T30,' = k:      condutividade t\xE9rmica [W/m*K]',/,"
    "1P,E25.15,T30,' = Ab:     \xE1rea da base da aleta [m2]',/,"
    "1P,E25.15,T30,' = P:      per\xEDmetro da base da aleta [m]',/,"
    "1P,E25.15,T30,' = L:      comprimento da aleta [m]')";

TEST(ReportFormats, PhysicalParameters) {
  Records expected = {
      "Difus\xE3o de Calor 1DP em Aleta Sujeita a Convec\xE7\xE3o na Extremidade",
      "",
      stars(104),
      "Par\xE2metros F\xEDsicos " + stars(85),
      stars(104),
      "",
      labelled("    1.000000000000000E+02", " = Tb:     temperatura da base [\xBA" "C]"),
      labelled("    2.500000000000000E+01", " = Tinf:   temperatura do fluido [\xBA" "C]"),
      labelled("    1.000000000000000E+01", " = h:      coeficiente de convec\xE7\xE3o [W/m2*K]"),
      labelled("    2.000000000000000E+02", " = k:      condutividade t\xE9rmica [W/m*K]"),
      labelled("    1.000000000000000E-04", " = Ab:     \xE1rea da base da aleta [m2]"),
      labelled("    4.000000000000000E-02", " = P:      per\xEDmetro da base da aleta [m]"),
      labelled("    1.000000000000000E-01", " = L:      comprimento da aleta [m]"),
  };
  EXPECT_EQ(run(kF1, {real(100), real(25), real(10), real(200), real(1e-4), real(0.04), real(0.1)}),
            expected);
  EXPECT_EQ(expected[3].size(), 104u);
}

TEST(ReportFormats, NumericalParametersWithAnIntegerField) {
  const char format[] =
      "(2/,'********************************************************************************************************',/,"
      "'Par\xE2metros Num\xE9ricos ***********************************************************************************',/,"
      "'********************************************************************************************************',2/,"
      "I10,T30,' = N:      n\xFAmero de n\xF3s da malha')";
  Records expected = {"", "", stars(104), "Par\xE2metros Num\xE9ricos " + stars(83), stars(104), "",
                      "         3" + blanks(19) + " = N:      n\xFAmero de n\xF3s da malha"};
  EXPECT_EQ(run(format, {integer(3)}), expected);
}

TEST(ReportFormats, StatementWithoutValuesPerformsItsWholeFormat) {
  EXPECT_EQ(run("(/,'Condi\xE7\xE3o de contorno na extremidade aplicada com UDS')"),
            (Records{"", "Condi\xE7\xE3o de contorno na extremidade aplicada com UDS"}));
}

TEST(ReportFormats, IterationSettingsMixRealsAndIntegers) {
  const char format[] =
      "(/,'Condi\xE7\xE3o de contorno na extremidade aplicada com UDS-2',2/,"
      "1P,E25.15,T30,' = T0:     valor para o campo inicial de temperaturas',/,"
      "I10,T30,' = itmax:  n\xFAmero m\xE1ximo de itera\xE7\xF5" "es a ser efetuada',/,"
      "1P,E25.15,T30,' = tol:    toler\xE2ncia m\xE1xima admitida',/,"
      "I10,T30,' = it:     itera\xE7\xF5" "es realizadas',/,"
      "1P,E25.15,T30,' = L1(it): norma L1 adimensionalizada na \xFAltima itera\xE7\xE3o')";
  Records expected = {
      "",
      "Condi\xE7\xE3o de contorno na extremidade aplicada com UDS-2",
      "",
      labelled("    2.500000000000000E+01", " = T0:     valor para o campo inicial de temperaturas"),
      labelled("       100", " = itmax:  n\xFAmero m\xE1ximo de itera\xE7\xF5" "es a ser efetuada"),
      labelled("    1.000000000000000E-10", " = tol:    toler\xE2ncia m\xE1xima admitida"),
      labelled("        23", " = it:     itera\xE7\xF5" "es realizadas"),
      labelled("    9.958076141458603E-11", " = L1(it): norma L1 adimensionalizada na \xFAltima itera\xE7\xE3o"),
  };
  EXPECT_EQ(run(format, {real(25), integer(100), real(1e-10), integer(23), real(9.958076141458603e-11)}),
            expected);
}

TEST(ReportFormats, NormLabelsLineUpTheirNumbersInColumn60) {
  const char format[] =
      "(/,'Norma L1 com base no campo inicial de temperaturas:        ',1P,E25.15,/,"
      "'Norma L2 com base no campo inicial de temperaturas:        ',1P,E25.15,/,"
      "'Norma L-infinito com base no campo inicial de temperaturas:',1P,E25.15)";
  Records records = run(format, {real(75.00000000000001), real(75), real(-75)});
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0], "");
  EXPECT_EQ(records[1].substr(59), "    7.500000000000001E+01");
  EXPECT_EQ(records[3], "Norma L-infinito com base no campo inicial de temperaturas:   -7.500000000000000E+01");
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(records[i].size(), 84u);
}

TEST(ReportFormats, IterationTableHeadingAndRows) {
  const char heading[] =
      "(2/,'  itera\xE7\xE3o',T15,'L1(it)/L1(0)',T40,'L2(it)/L2(0)',T65,'Linf(it)/Linf(0)',/,"
      "I10,3(1P,E25.15))";
  Records expected = {
      "", "",
      "  itera\xE7\xE3o" + blanks(4) + "L1(it)/L1(0)" + blanks(13) + "L2(it)/L2(0)" + blanks(13) +
          "Linf(it)/Linf(0)",
      "         0    1.000000000000000E+00    1.000000000000000E+00    1.000000000000000E+00",
  };
  EXPECT_EQ(run(heading, {integer(0), real(1), real(1), real(1)}), expected);

  Records row = run("(I10,3(1P,E25.15))",
                    {integer(23), real(9.958076141458603e-11), real(9.958057489729259e-11),
                     real(9.958057489711791e-11)});
  ASSERT_EQ(row.size(), 1u);
  EXPECT_EQ(row[0], "        23    9.958076141458603E-11    9.958057489729259E-11    9.958057489711791E-11");
  EXPECT_EQ(row[0].size(), 85u);
}

TEST(ReportFormats, SolutionsHeadingStartsWithATab) {
  const char format[] =
      "(2/,'********************************************************************************************************',/,"
      "'Solu\xE7\xF5" "es ***********************************************************************************************',/,"
      "'********************************************************************************************************',2/,"
      "T5,'Posi\xE7\xE3o',T30,'Temp. num\xE9rica',T55,'Temp. anal\xEDtica',T80,'Erro num\xE9rico')";
  Records expected = {"", "", stars(104), "Solu\xE7\xF5" "es " + stars(95), stars(104), "",
                      blanks(4) + "Posi\xE7\xE3o" + blanks(18) + "Temp. num\xE9rica" + blanks(11) +
                          "Temp. anal\xEDtica" + blanks(10) + "Erro num\xE9rico"};
  EXPECT_EQ(run(format), expected);
}

TEST(ReportFormats, TipRowOfFourFields) {
  Records records = run("(4(1P,E25.15))", {real(0.1), real(96.08162539983418), real(92.76009421089164),
                                           real(-3.321531188942544)});
  EXPECT_EQ(records, (Records{"    1.000000000000000E-01    9.608162539983418E+01"
                              "    9.276009421089164E+01   -3.321531188942544E+00"}));
}

TEST(ReportFormats, HeatRatesMakeTheLongestRecords) {
  const char format[] =
      "(2/,'Taxa de transfer\xEAncia de calor (anal\xEDtica):',T45,1P,E25.15,/,"
      "'Taxa de transfer\xEAncia de calor (DDS-1):',T45,1P,E25.15,T75,'Erro num\xE9rico:',T90,1P,E25.15,/,"
      "'Taxa de transfer\xEAncia de calor (DDS-2):',T45,1P,E25.15,T75,'Erro num\xE9rico:',T90,1P,E25.15)";
  Records records = run(format, {real(2.876308135547406), real(1.496268214666497),
                                 real(1.380039920880909), real(2.208861509299834),
                                 real(0.667446626247572)});
  Records expected = {
      "", "",
      "Taxa de transfer\xEAncia de calor (anal\xEDtica):" + blanks(1) + "    2.876308135547406E+00",
      "Taxa de transfer\xEAncia de calor (DDS-1):" + blanks(5) + "    1.496268214666497E+00" +
          blanks(5) + "Erro num\xE9rico:" + blanks(1) + "    1.380039920880909E+00",
      "Taxa de transfer\xEAncia de calor (DDS-2):" + blanks(5) + "    2.208861509299834E+00" +
          blanks(5) + "Erro num\xE9rico:" + blanks(1) + "    6.674466262475720E-01",
  };
  EXPECT_EQ(records, expected);
  EXPECT_EQ(records[3].size(), 114u);
}

TEST(ReportFormats, ProcessingTimeInAFixedField) {
  const char format[] = "(2/,'Tempo de processamento (em segundos):',T40,F15.3)";
  EXPECT_EQ(run(format, {real(0.0)}),
            (Records{"", "", "Tempo de processamento (em segundos):" + blanks(2) + "           .000"}));
  EXPECT_EQ(run(format, {real(1.2345)})[2].substr(39), "          1.234");
}

// --- The walk itself.

TEST(FormatWalk, PendingBlanksOfATabAreDroppedAtTheEndOfARecord) {
  EXPECT_EQ(run("('abc',T20)"), (Records{"abc"}));
  EXPECT_EQ(run("('abc',T20,/,'x',T9)"), (Records{"abc", "x"}));
  EXPECT_EQ(run("(T5,'x')"), (Records{"    x"}));
}

TEST(FormatWalk, TabsAndJustificationBlanksAddUp) {
  EXPECT_EQ(run("('ab',T6,I4)", {integer(7)}), (Records{"ab      7"}));
}

TEST(FormatWalk, TabBackIntoTheRecordContinuesAtItsEnd) {
  EXPECT_EQ(run("('abcdef',T3,'x')"), (Records{"abcdefx"}));
}

TEST(FormatWalk, SlashCountsEndRecordsIncludingEmptyOnes) {
  EXPECT_EQ(run("(2/,'x')"), (Records{"", "", "x"}));
  EXPECT_EQ(run("('x',3/)"), (Records{"x", "", "", ""}));
  EXPECT_EQ(run("('a'/'b')"), (Records{"a", "b"}));
}

TEST(FormatWalk, GroupsRepeatTheirItems) {
  EXPECT_EQ(run("(2('a',I2),'b')", {integer(1), integer(2)}), (Records{"a 1a 2b"}));
  EXPECT_EQ(run("(3('x',/))"), (Records{"x", "x", "x", ""}));
  EXPECT_EQ(run("('<',('m'),'>')"), (Records{"<m>"}));
}

TEST(FormatWalk, ScaleFactorLastsForTheStatementOnly) {
  EXPECT_EQ(run("(1P,E12.4,/,E12.4)", {real(1), real(2)}),
            (Records{"  1.0000E+00", "  2.0000E+00"}));
  EXPECT_EQ(run("(1P,2(E12.4))", {real(1), real(2)}), (Records{"  1.0000E+00  2.0000E+00"}));
  // A new statement starts with scale factor 0, whatever the previous one set.
  run("(1P,E12.4)", {real(1)});
  EXPECT_EQ(run("(E12.4)", {real(1)}), (Records{"   .1000E+01"}));
  EXPECT_EQ(run("(1P,E12.4,0P,E12.4)", {real(1), real(1)}), (Records{"  1.0000E+00   .1000E+01"}));
  // The fixed form takes the scale factor too: the value times 10^k.
  EXPECT_EQ(run("(1P,F8.3)", {real(2.5)}), (Records{"  25.000"}));
}

TEST(FormatWalk, DescriptorsWithoutCommasAndInLowerCase) {
  EXPECT_EQ(run("(1PE12.4)", {real(1)}), (Records{"  1.0000E+00"}));
  EXPECT_EQ(run("(1p,e12.4,0p,f6.1,i3,t25,'z')", {real(1), real(2.25), integer(5)}),
            (Records{"  1.0000E+00   2.3  5   z"}));
}

TEST(FormatWalk, TheWalkStopsAtADataDescriptorWithoutAValue) {
  EXPECT_EQ(run("('a',I5,'b')"), (Records{"a"}));
  EXPECT_EQ(run("('a',I5,'b',I5,'c')", {integer(1)}), (Records{"a    1b"}));
}

TEST(FormatWalk, MisfitsOfValueAndFormatFailVisiblyButSafely) {
  // A value of the other kind fills its field with asterisks; values beyond the format's
  // descriptors are not written; an unknown item or an unfinished format ends the walk.
  EXPECT_EQ(run("(I4,F6.1)", {real(1), integer(2)}), (Records{"**********"}));
  EXPECT_EQ(run("(I4)", {integer(1), integer(2)}), (Records{"   1"}));
  EXPECT_EQ(run("('a',Q,'b')"), (Records{"a"}));
  EXPECT_EQ(run("('abc"), (Records{""}));
  EXPECT_EQ(run("('a',2("), (Records{"a"}));
  EXPECT_EQ(run("'a'"), (Records{""}));
  EXPECT_EQ(run("('a')'b'"), (Records{"a"}));
  EXPECT_EQ(run(""), (Records{""}));
  EXPECT_EQ(run("('a',1P,F99999.3)", {real(1)}), (Records{"a"}));
}

TEST(FormatWalk, LiteralBytesPassUnchanged) {
  std::string all_high_bytes;
  for (int byte = 0x80; byte <= 0xFF; ++byte) all_high_bytes += static_cast<char>(byte);
  EXPECT_EQ(run("('" + all_high_bytes + "')"), (Records{all_high_bytes}));
}

TEST(FormatWalk, LongTabsPlaceEveryBlank) {
  EXPECT_EQ(run("(T200,'x')"), (Records{blanks(199) + "x"}));
}

TEST(FormatWalk, RepeatedFormatsAreKnownByTheirTextNotTheirPlace) {
  // The items of the last format are kept between statements: the same text in the same
  // buffer, the same text elsewhere, and other text in the same buffer must each be walked as
  // written, and a walk may go further into the format than an earlier one did.
  std::string format = "('x',I2,'y',I2,'z')";
  EXPECT_EQ(run(format, {integer(1)}), (Records{"x 1y"}));
  EXPECT_EQ(run(format, {integer(1), integer(2)}), (Records{"x 1y 2z"}));
  EXPECT_EQ(run(std::string(format), {integer(3)}), (Records{"x 3y"}));
  format = "('p',I3,'q',I2,'r')";
  EXPECT_EQ(run(format, {integer(4), integer(5)}), (Records{"p  4q 5r"}));
  EXPECT_EQ(run("(2('g',I1))", {integer(6), integer(7)}), (Records{"g6g7"}));
  EXPECT_EQ(run(format, {integer(8)}), (Records{"p  8q"}));
}

TEST(FormatWalk, GroupsRepeatedThousandsOfTimesAreWalkedInFull) {
  // Too many items to keep: such a format is read as it is walked, as often as it comes.
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(run("(30000('x'))"), (Records{std::string(30000, 'x')}));
    EXPECT_EQ(run("(900('a',I1))", {integer(1), integer(2), integer(3)}), (Records{"a1a2a3a"}));
    EXPECT_EQ(run("(2('a',I1))", {integer(4), integer(5)}), (Records{"a4a5"}));
  }
}

}  // namespace
}  // namespace textio
