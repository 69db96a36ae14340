#pragma once
// A progress dialog over the assistant that shows once the preview or the run takes a while;
// its report() feeds it and answers whether to go on.
#include "import/model/ImportRun.h"

#include <QProgressDialog>

class ImportProgressDialog {
public:
    ImportProgressDialog(QWidget* parent, const QString& name, const QString& title, const QString& text);
    ~ImportProgressDialog();
    ImportProgressDialog(const ImportProgressDialog&) = delete;
    ImportProgressDialog& operator=(const ImportProgressDialog&) = delete;

    ImportProgress report();

private:
    QProgressDialog m_dialog;
};
