#pragma once
// The catalogue's windows, for the mating plan's buttons and the menus: each opens modal over
// `parent` and returns when closed.
class QWidget;

// 씨수소 목록: the catalogue with its breeding values and straws left; 추가 / 수정 / 삭제.
void openBullCatalogue(QWidget* parent);
// 정액 재고: each bull's straws and the tank's entries; 입고 / 조정 / 삭제.
void openSemenStock(QWidget* parent);
