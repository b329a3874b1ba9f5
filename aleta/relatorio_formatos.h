#pragma once
// The formats of the report's write statements, as the record writer executes them. The texts
// between apostrophes are written as they stand, in Windows-1252.
#include <string>
#include <string_view>

#include "textio/latin1.h"

namespace aleta::formatos {

using textio::Latin1Text;

constexpr Latin1Text F1{
    "('Difusão de Calor 1DP em Aleta Sujeita a Convecção na Extremidade',2/,'********************************************************************************************************',/,'Parâmetros Físicos *************************************************************************************',/,'********************************************************************************************************',2/,1P,E25.15,T30,' = Tb:     temperatura da base [ºC]',/,1P,E25.15,T30,' = Tinf:   temperatura do fluido [ºC]',/,1P,E25.15,T30,' = h:      coeficiente de convecção [W/m2*K]',/,1P,E25.15,T30,' = k:      condutividade térmica [W/m*K]',/,1P,E25.15,T30,' = Ab:     área da base da aleta [m2]',/,1P,E25.15,T30,' = P:      perímetro da base da aleta [m]',/,1P,E25.15,T30,' = L:      comprimento da aleta [m]')"};

constexpr Latin1Text F2{
    "(2/,'********************************************************************************************************',/,'Parâmetros Numéricos ***********************************************************************************',/,'********************************************************************************************************',2/,I10,T30,' = N:      número de nós da malha')"};

// F3, the tip condition, is assembled from the scheme's name (scheme_format below).
constexpr Latin1Text F3_start{"(/,'Condição de contorno na extremidade aplicada com "};
constexpr Latin1Text F3_direct_end{"')"};
constexpr Latin1Text F3_iteration_end{
    "',2/,1P,E25.15,T30,' = T0:     valor para o campo inicial de temperaturas',/,I10,T30,' = itmax:  número máximo de iterações a ser efetuada',/,1P,E25.15,T30,' = tol:    tolerância máxima admitida',/,I10,T30,' = it:     iterações realizadas',/,1P,E25.15,T30,' = L1(it): norma L1 adimensionalizada na última iteração')"};

constexpr Latin1Text F4{
    "(/,'Norma L1 com base no campo inicial de temperaturas:        ',1P,E25.15,/,'Norma L2 com base no campo inicial de temperaturas:        ',1P,E25.15,/,'Norma L-infinito com base no campo inicial de temperaturas:',1P,E25.15)"};

constexpr Latin1Text F5{
    "(2/,'  iteração',T15,'L1(it)/L1(0)',T40,'L2(it)/L2(0)',T65,'Linf(it)/Linf(0)',/,I10,3(1P,E25.15))"};

constexpr Latin1Text F6{"(I10,3(1P,E25.15))"};

constexpr Latin1Text F7{
    "(2/,'********************************************************************************************************',/,'Soluções ***********************************************************************************************',/,'********************************************************************************************************',2/,T5,'Posição',T30,'Temp. numérica',T55,'Temp. analítica',T80,'Erro numérico')"};

constexpr Latin1Text F8{"(4(1P,E25.15))"};

constexpr Latin1Text F9{
    "(2/,'Taxa de transferência de calor (analítica):',T45,1P,E25.15,/,'Taxa de transferência de calor (DDS-1):',T45,1P,E25.15,T75,'Erro numérico:',T90,1P,E25.15,/,'Taxa de transferência de calor (DDS-2):',T45,1P,E25.15,T75,'Erro numérico:',T90,1P,E25.15)"};

constexpr Latin1Text F10{"(2/,'Tempo de processamento (em segundos):',T40,F15.3)"};

// The tip condition applied with the scheme `name` (ASCII, no apostrophe, as the scheme table
// has it); a scheme that iterates follows it with T0, itmax, tol, it and L1(it).
inline std::string scheme_format(std::string_view name, bool iterates) {
  return std::string(F3_start.view()) + std::string(name) +
         std::string(iterates ? F3_iteration_end.view() : F3_direct_end.view());
}

}  // namespace aleta::formatos
