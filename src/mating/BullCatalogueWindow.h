#pragma once
// 씨수소 목록: every bull of the catalogue with its breeding values, price and straws left, and
// the commands that add, change and delete one.
#include <QDialog>
#include <QStringList>

class Grid;
class QPushButton;

class BullCatalogueWindow : public QDialog {
    Q_OBJECT
public:
    explicit BullCatalogueWindow(QWidget* parent = nullptr);

    Grid* grid() const { return m_grid; }                   // "grdBulls"
    QPushButton* addButton() const { return m_add; }        // "cmdAdd"
    QPushButton* changeButton() const { return m_change; }  // "cmdChange"
    QPushButton* deleteButton() const { return m_delete; }  // "cmdDelete"

    // Reads the catalogue and the stock again; the bull `kpn` (digits) becomes the active row.
    void reload(const QString& kpn = QString());
    void addBull();
    // 수정 and a double click: the bull of the active row.
    void changeBull();
    // 삭제: the bull of the active row, after a question.
    void deleteBull();

private:
    // The KPN digits of the active row; "" when none.
    QString selectedKpn() const;

    Grid* m_grid = nullptr;
    QStringList m_kpns;  // by row - 1
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
};
