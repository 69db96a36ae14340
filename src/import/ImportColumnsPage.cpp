#include "import/ImportColumnsPage.h"

#include "data/ProgramDir.h"
#include "import/model/ImportReport.h"
#include "kit/Accessibility.h"
#include "kit/Messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kColumnRowHeightPx = 28;
}

ImportColumnsPage::ImportColumnsPage(ImportDraft& draft, QWidget* parent) : ImportPage(draft, parent)
{
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    QLabel* headerCaption = captionPanel(QStringLiteral("머리글 행"), kImportCaption, this);
    m_headerRow = new QSpinBox(this);
    m_headerRow->setRange(1, kFirstRows);
    m_headerRow->setSuffix(QStringLiteral(" 행"));
    nameInput(m_headerRow, QStringLiteral("spnHeaderRow"), headerCaption);
    top->addWidget(headerCaption);
    top->addWidget(m_headerRow);
    m_note = importNote(QString(), QStringLiteral("lblColumnsNote"), this);
    top->addWidget(m_note, 1);
    v->addLayout(top);
    m_columns = new QTableWidget(this);
    nameControl(m_columns, QStringLiteral("tblColumns"), QStringLiteral("열 맞추기"));
    m_columns->setColumnCount(4);
    m_columns->setHorizontalHeaderLabels({QStringLiteral("항목"), QStringLiteral("파일의 열"),
                                          QStringLiteral("빈 칸일 때 넣을 값"), QStringLiteral("첫 행의 값")});
    m_columns->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_columns->verticalHeader()->hide();
    m_columns->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_columns->verticalHeader()->setDefaultSectionSize(kColumnRowHeightPx);
    m_columns->setSelectionMode(QAbstractItemView::NoSelection);
    v->addWidget(m_columns, 1);
    v->addWidget(importNote(QStringLiteral("* 표시는 꼭 있어야 하는 항목입니다. 고른 맞춤은 같은 머리글의 파일을 "
                                           "다음에 가져올 때 다시 쓰입니다."),
                            QStringLiteral("lblColumnsHint"), this));
    connect(m_headerRow, &QSpinBox::valueChanged, this, [this](int row) { takeHeaderRow(row - 1); });
}

bool ImportColumnsPage::enter()
{
    const int header = headerRowFor(plan().target, draft().firstRows.rows);
    {
        const QSignalBlocker quiet(m_headerRow);
        m_headerRow->setValue(header + 1);
    }
    takeHeaderRow(header);
    return true;
}

void ImportColumnsPage::takeHeaderRow(int row)
{
    plan().headerRow = row;
    m_headers = draft().firstRows.rows.value(row);
    StartingMapping start = startingMapping(settingsFilePath(), plan().target, m_headers);
    plan().mapping = std::move(start.mapping);
    m_recalled = start.recalled;
    fillTable();
}

void ImportColumnsPage::fillTable()
{
    const QList<ImportField>& fields = importFields(plan().target);
    const QStringList firstData = draft().firstRows.rows.value(plan().headerRow + 1);
    m_columns->clearContents();
    m_columns->setRowCount(int(fields.size()));
    QStringList choices{QStringLiteral("(없음)")};
    for (int c = 0; c < m_headers.size(); ++c)
        choices << QStringLiteral("%1열: %2").arg(columnLetter(c), m_headers[c].simplified());
    for (int f = 0; f < fields.size(); ++f) {
        const ImportField& field = fields[f];
        auto* caption = new QTableWidgetItem(field.caption + (field.required ? QStringLiteral(" *") : QString()));
        caption->setFlags(Qt::ItemIsEnabled);
        m_columns->setItem(f, 0, caption);
        auto* column = new QComboBox(m_columns);
        nameControl(column, QStringLiteral("cboColumn_") + field.key, field.caption + QStringLiteral(" 열"));
        column->addItems(choices);
        const FieldSource source = plan().mapping.value(f);
        column->setCurrentIndex(source.column + 1 < choices.size() ? source.column + 1 : 0);
        m_columns->setCellWidget(f, 1, column);
        auto* fallback = new QLineEdit(source.fallback, m_columns);
        nameControl(fallback, QStringLiteral("txtDefault_") + field.key, field.caption + QStringLiteral(" 기본값"));
        m_columns->setCellWidget(f, 2, fallback);
        auto* sample = new QTableWidgetItem;
        sample->setFlags(Qt::ItemIsEnabled);
        m_columns->setItem(f, 3, sample);
        auto showSample = [firstData, sample](int index) {
            sample->setText(index > 0 ? firstData.value(index - 1) : QString());
        };
        showSample(column->currentIndex());
        connect(column, &QComboBox::currentIndexChanged, this, showSample);
    }
    showInLabel(m_note, QStringLiteral("열 맞추기 알림"), columnsNoteText(m_recalled, matchedCount(plan().mapping)));
}

void ImportColumnsPage::readTable()
{
    const QList<ImportField>& fields = importFields(plan().target);
    plan().mapping = ColumnMapping(fields.size());
    for (int f = 0; f < fields.size(); ++f) {
        auto* column = qobject_cast<QComboBox*>(m_columns->cellWidget(f, 1));
        auto* fallback = qobject_cast<QLineEdit*>(m_columns->cellWidget(f, 2));
        plan().mapping[f].column = column ? column->currentIndex() - 1 : -1;
        plan().mapping[f].fallback = fallback ? fallback->text().trimmed() : QString();
    }
}

bool ImportColumnsPage::leave()
{
    readTable();
    if (const int f = firstRequiredWithoutSource(plan().target, plan().mapping); f >= 0) {
        showMessage(this, MsgIcon::Information, QStringLiteral("미입력"),
                    QStringLiteral("%1에 맞출 파일의 열을 골라 주세요.").arg(importFields(plan().target)[f].caption));
        if (QWidget* box = m_columns->cellWidget(f, 1)) box->setFocus();
        return false;
    }
    rememberMapping(settingsFilePath(), plan().target, m_headers, plan().mapping);
    return true;
}
