#pragma once
// How the programs window shows a vaccination program: one row of texts per program.
#include "vaccination/model/VaccinationProgram.h"

#include <QStringList>

namespace vaccination {

// 이름, 처치어, 첫접종일령, 보강일수, 반복일수, 대상, 분만제외일수, 출하제외일수.
QStringList programHeaders();
// "구제역", "구제역, FMD", "60일", "28일 뒤", "180일마다", "전체" (a calves' program
// "송아지(6개월 미만)"), "30일", "30일"; a skip of 0 days shows "안 함".
QStringList programCells(const VaccinationProgram& p);

}  // namespace vaccination
