#pragma once
// 정액 재고: each bull's straws (received, taken out, used by services, left) over the tank's
// entries, newest first, with 입고 / 조정 / 삭제.
#include <QDialog>
#include <vector>

class Grid;
class QPushButton;

class SemenStockWindow : public QDialog {
    Q_OBJECT
public:
    explicit SemenStockWindow(QWidget* parent = nullptr);

    Grid* stockGrid() const { return m_stock; }               // "grdStock"
    Grid* entryGrid() const { return m_entries; }             // "grdEntries"
    QPushButton* receiptButton() const { return m_receipt; }  // "cmdReceipt"
    QPushButton* adjustButton() const { return m_adjust; }    // "cmdAdjust"
    QPushButton* deleteButton() const { return m_delete; }    // "cmdDelete"

    void reload();
    void addReceipt();
    void addAdjustment();
    // 삭제: the entry of the entries list's active row, after a question.
    void deleteEntry();

private:
    // The KPN of the summary's active row, for a new entry's box.
    QString selectedKpn() const;

    Grid* m_stock = nullptr;
    Grid* m_entries = nullptr;
    std::vector<qint64> m_rowIds;  // the entries' row ids, by row - 1
    QStringList m_kpns;            // the summary's bulls, by row - 1
    QPushButton* m_receipt = nullptr;
    QPushButton* m_adjust = nullptr;
    QPushButton* m_delete = nullptr;
};
