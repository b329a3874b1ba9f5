#include "malhas/options.h"

#include <gtest/gtest.h>

namespace malhas {
namespace {

ParsedOptions parse(std::vector<const char*> args) {
  args.insert(args.begin(), "aleta-malhas");
  return parse_options(static_cast<int>(args.size()), args.data(), 2);
}

TEST(Options, DefaultsAndEveryOption) {
  const ParsedOptions none = parse({});
  ASSERT_TRUE(none.run);
  EXPECT_EQ(none.options.meshes, 10);
  EXPECT_EQ(none.options.ratio, 2);
  EXPECT_TRUE(none.options.schemes.empty());
  EXPECT_EQ(none.options.folder, "estudo_malhas");
  EXPECT_EQ(none.options.threads, 2u);

  const ParsedOptions all = parse({"-m", "4", "--razao", "3", "-e", "ambos", "-s", "saida", "-t", "1"});
  ASSERT_TRUE(all.run) << all.err;
  EXPECT_EQ(all.options.meshes, 4);
  EXPECT_EQ(all.options.ratio, 3);
  EXPECT_EQ(all.options.schemes, (std::vector<fin::TipScheme>{fin::TipScheme::Uds, fin::TipScheme::Uds2}));
  EXPECT_EQ(all.options.folder, "saida");
  EXPECT_EQ(all.options.threads, 1u);

  const ParsedOptions joined = parse({"-m=4", "-s=saida", "--razao=3"});
  ASSERT_TRUE(joined.run) << joined.err;
  EXPECT_EQ(joined.options.meshes, 4);
  EXPECT_EQ(joined.options.folder, "saida");
  EXPECT_EQ(joined.options.ratio, 3);

  EXPECT_EQ(none.options.least_squares_meshes, 4);
  EXPECT_EQ(parse({"--malhas-mq", "6"}).options.least_squares_meshes, 6);
  EXPECT_EQ(parse({"--malhas-mq", "todas"}).options.least_squares_meshes, kEveryMesh);

  const ParsedOptions list = parse({"--lista", "41,21,81"});
  ASSERT_TRUE(list.run);
  EXPECT_EQ(list.options.explicit_meshes, (std::vector<std::int32_t>{21, 41, 81}));
}

TEST(Options, MistakesAreToldInPortugueseWithExitCode1) {
  const struct {
    std::vector<const char*> args;
    std::string message;
  } cases[] = {
      {{"--razao", "1"}, "aleta-malhas: --razao: \"1\" deve ser um inteiro de 2 a 16777216 (veja --help)\n"},
      {{"-m", "dez"}, "aleta-malhas: --malhas: \"dez\" deve ser um inteiro de 1 a 1000 (veja --help)\n"},
      {{"-e", "3"}, "aleta-malhas: --esquema: \"3\" deve ser 1, 2 ou ambos (veja --help)\n"},
      {{"--lista", "21,2"}, "aleta-malhas: --lista: \"2\" deve ser um inteiro de 3 a 2147483647 (veja --help)\n"},
      {{"--lista", "21,41", "-m", "3"}, "aleta-malhas: --lista não se combina com --malhas nem com --razao (veja --help)\n"},
      {{"--lista", "21,41,21"}, "aleta-malhas: --lista: cada N deve aparecer uma só vez\n"},
      {{"-m", "2", "extra", "x"}, "aleta-malhas: argumento não reconhecido: \"extra\" (veja --help)\n"},
      {{"--saida"}, "aleta-malhas: opção sem o valor que ela pede (veja --help)\n"},
      {{"-m", "2", "--malhas=3"}, "aleta-malhas: --malhas dada mais de uma vez (veja --help)\n"},
      {{"-s", ""}, "aleta-malhas: --saida: o nome da pasta está vazio\n"},
      {{"--malhas-mq", "3"}, "aleta-malhas: --malhas-mq: \"3\" deve ser um inteiro de 4 a 1000 ou todas (veja --help)\n"},
  };
  for (const auto& c : cases) {
    const ParsedOptions p = parse(c.args);
    EXPECT_FALSE(p.run);
    EXPECT_EQ(p.exit_code, 1);
    EXPECT_EQ(p.err, c.message);
    EXPECT_EQ(p.out, "");
  }
}

// --lista takes as many meshes as --malhas, and no more.
TEST(Options, ListTakesAtMostAThousandMeshes) {
  std::string list = "3";
  for (int N = 4; N <= 1002; ++N) list += "," + std::to_string(N);
  const ParsedOptions thousand = parse({"-l", list.c_str()});
  ASSERT_TRUE(thousand.run) << thousand.err;
  EXPECT_EQ(thousand.options.explicit_meshes.size(), 1000u);
  list += ",1003";
  const ParsedOptions more = parse({"-l", list.c_str()});
  EXPECT_FALSE(more.run);
  EXPECT_EQ(more.exit_code, 1);
  EXPECT_EQ(more.err, "aleta-malhas: --lista: no máximo 1000 malhas (foram dadas 1001)\n");
}

TEST(Options, HelpAndVersionEndWithoutAStudy) {
  const ParsedOptions version = parse({"--version"});
  EXPECT_FALSE(version.run);
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "aleta-malhas 1.1.0\n");
  const ParsedOptions help = parse({"--help"});
  EXPECT_FALSE(help.run);
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("Uso: aleta-malhas [OPÇÕES]"), std::string::npos) << help.out;
  EXPECT_EQ(help.out.find("Options"), std::string::npos) << "an English heading left";
}

}  // namespace
}  // namespace malhas
