#pragma once
// 농장정보 ("농장정보 수정"): shows and changes the farm's own registration data, the one row of
// 농장정보 whose number and business name head the printed books, and the farm's optional
// support contact that the database messages name. A top-level window of the
// menu: it holds the connection while it is open. Enter does nothing; Esc and 취 소 close
// without storing.
#include "data/FarmInfo.h"
#include "kit/SaveCancel.h"

#include <QHash>
#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;

class FarmInfoWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the connection and loads the stored row.
    explicit FarmInfoWindow(QWidget* parent = nullptr);
    ~FarmInfoWindow() override;

    bool isConnected() const { return m_connected; }

    // Fills the boxes from 농장정보 and the support contact.
    void load();
    // 저 장: checks, question, the row and the contact stored with trimmed values, close. True
    // when stored.
    bool save();

    FarmInfo values() const;
    SupportContact contact() const;
    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }
    QPushButton* saveButton() const { return m_buttons.save; }
    QPushButton* cancelButton() const { return m_buttons.cancel; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();

    QHash<QString, QLineEdit*> m_texts;
    SaveCancel m_buttons;
    bool m_connected = false;
    bool m_closed = false;
};
