#include "history/BreedingDialog.h"

#include "app/model/Clock.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QRadioButton* option(const QString& name, const QString& text, QWidget* parent)
{
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(name);
    r->setAccessibleName(name);
    return r;
}

// A caption-less check box in front of its date picker.
QWidget* checkedDate(QCheckBox* box, QDateEdit* picker, QWidget* parent)
{
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(box);
    h->addWidget(picker, 1);
    return w;
}

QWidget* withNote(QWidget* field, QLabel* note, QWidget* parent)
{
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field, 1);
    h->addWidget(note);
    return w;
}
}  // namespace

BreedingDialog::BreedingDialog(HistoryTab& owner)
    : HistoryEntryDialog(
          owner, QStringLiteral("번식기록"), QStringLiteral("번식기록 등록/수정"),
          {QStringLiteral("번식기록을 신규등록하시겠습니까?"), QStringLiteral("번식기록을 수정하시겠습니까?"),
           QStringLiteral("수정일를 다시 선택해 주세요.")})
{
    산차 = textBox(QStringLiteral("산차"));
    회수 = textBox(QStringLiteral("회수"));
    수정일 = datePicker(QStringLiteral("수정일"));
    정액번호 = textBox(QStringLiteral("정액번호"));
    공란우 = textBox(QStringLiteral("공란우"));
    BCS = textBox(QStringLiteral("BCS"));
    판정일체크 = dateCheck(QStringLiteral("판정일체크"));
    판정일 = datePicker(QStringLiteral("판정일"));
    SSOption1 = option(QStringLiteral("SSOption1"), QStringLiteral("가(O)"), this);
    SSOption2 = option(QStringLiteral("SSOption2"), QStringLiteral("부(X)"), this);
    예정일체크 = dateCheck(QStringLiteral("예정일체크"));
    예정일 = datePicker(QStringLiteral("예정일"));
    분만일체크 = dateCheck(QStringLiteral("분만일체크"));
    분만일 = datePicker(QStringLiteral("분만일"));
    송아지번호 = textBox(QStringLiteral("송아지번호"));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    SSOption3 = option(QStringLiteral("SSOption3"), QStringLiteral("암"), Frame1);
    SSOption4 = option(QStringLiteral("SSOption4"), QStringLiteral("수"), Frame1);
    생시체중 = textBox(QStringLiteral("생시체중"));
    분만난이도 = textBox(QStringLiteral("분만난이도"));
    인공수정자 = textBox(QStringLiteral("인공수정자"));
    비고 = textBox(QStringLiteral("비고"));

    // The two option pairs are separate choices.
    auto* result = new QButtonGroup(this);
    result->addButton(SSOption1);
    result->addButton(SSOption2);
    auto* sex = new QButtonGroup(this);
    sex->addButton(SSOption3);
    sex->addButton(SSOption4);
    SSOption1->setChecked(true);
    SSOption3->setChecked(true);

    buildLayout();
    setFieldOrder({산차,       회수,      수정일,    정액번호,   공란우,     BCS,        판정일체크,
                   판정일,     SSOption1, SSOption2, 예정일체크, 예정일,     분만일체크, 분만일,
                   송아지번호, SSOption3, SSOption4, 생시체중,   분만난이도, 인공수정자, 비고});

    for (QCheckBox* box : {판정일체크, 예정일체크, 분만일체크})
        connect(box, &QCheckBox::toggled, this, [this] { applyEnabling(); });
    applyEnabling();

    // The expected calving date follows every new insemination date, typed or picked.
    connect(수정일, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        예정일체크->setChecked(true);
        예정일->setDate(date.addDays(breeding::kGestationDays));
    });
}

void BreedingDialog::buildLayout()
{
    auto* left = new QGridLayout;
    int r = 0;
    auto addLeft = [&](const QString& text, QWidget* field) {
        left->addWidget(caption(text), r, 0);
        left->addWidget(field, r++, 1);
    };
    addLeft(QStringLiteral("산     차"), 산차);
    addLeft(QStringLiteral("회     수"), 회수);
    addLeft(QStringLiteral("수 정 일"), 수정일);
    addLeft(QStringLiteral("    씨 수 소      (정액번호)"), 정액번호);
    addLeft(QStringLiteral("공 란 우"), 공란우);
    addLeft(QStringLiteral("BCS"), BCS);
    addLeft(QStringLiteral("임신판정일"), checkedDate(판정일체크, 판정일, this));
    auto* result = new QWidget(this);
    auto* rh = new QHBoxLayout(result);
    rh->setContentsMargins(0, 0, 0, 0);
    rh->addWidget(SSOption1);
    rh->addWidget(SSOption2);
    rh->addStretch();
    addLeft(QStringLiteral("가     부"), result);
    left->setRowStretch(r, 1);

    auto* right = new QGridLayout;
    r = 0;
    auto addRight = [&](const QString& text, QWidget* field) {
        right->addWidget(caption(text), r, 0);
        right->addWidget(field, r++, 1);
    };
    addRight(QStringLiteral("분만예정일"), checkedDate(예정일체크, 예정일, this));
    addRight(QStringLiteral("분 만 일"), checkedDate(분만일체크, 분만일, this));
    addRight(QStringLiteral("송아지번호"), 송아지번호);
    auto* fh = new QHBoxLayout(Frame1);
    fh->setContentsMargins(0, 0, 0, 0);
    fh->addWidget(SSOption3);
    fh->addWidget(SSOption4);
    fh->addStretch();
    addRight(QStringLiteral("성     별"), Frame1);
    addRight(QStringLiteral("생시체중"), withNote(생시체중, note(QStringLiteral("※분만기록부 출력용")), this));
    addRight(QStringLiteral("  분만난이도  특이사항"), 분만난이도);
    addRight(QStringLiteral("인공수정자"), withNote(인공수정자, note(QStringLiteral("※교배기록부 출력용")), this));
    addRight(QStringLiteral("비      고"), withNote(비고, note(QStringLiteral("※분만기록부 출력용")), this));
    right->setRowStretch(r, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(16);
    columns->addLayout(right, 1);

    auto* v = new QVBoxLayout(this);
    v->addLayout(columns);
    v->addWidget(buttonRow());
}

void BreedingDialog::applyEnabling()
{
    예정일->setEnabled(예정일체크->isChecked());
    for (QWidget* w :
         {static_cast<QWidget*>(판정일), static_cast<QWidget*>(SSOption1), static_cast<QWidget*>(SSOption2)})
        w->setEnabled(판정일체크->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(분만일), static_cast<QWidget*>(송아지번호),
                       static_cast<QWidget*>(SSOption3), static_cast<QWidget*>(SSOption4)})
        w->setEnabled(분만일체크->isChecked());
}

BreedingInput BreedingDialog::input() const
{
    BreedingInput in;
    in.산차 = 산차->text();
    in.회수 = 회수->text();
    in.수정일 = 수정일->date();
    in.정액번호 = 정액번호->text();
    in.공란우 = 공란우->text();
    in.BCS = BCS->text();
    in.판정일체크 = 판정일체크->isChecked();
    in.판정일 = 판정일->date();
    in.가 = SSOption1->isChecked();
    in.예정일체크 = 예정일체크->isChecked();
    in.예정일 = 예정일->date();
    in.분만일체크 = 분만일체크->isChecked();
    in.분만일 = 분만일->date();
    in.송아지번호 = 송아지번호->text();
    in.암 = SSOption3->isChecked();
    in.생시체중 = 생시체중->text();
    in.분만난이도 = 분만난이도->text();
    in.인공수정자 = 인공수정자->text();
    in.비고 = 비고->text();
    return in;
}

void BreedingDialog::showInput(const BreedingInput& in)
{
    산차->setText(in.산차);
    회수->setText(in.회수);
    정액번호->setText(in.정액번호);
    공란우->setText(in.공란우);
    // The insemination date first: its follow rule runs, then the expected date is set.
    수정일->setDate(in.수정일);
    예정일체크->setChecked(in.예정일체크);
    예정일->setDate(in.예정일);
    BCS->setText(in.BCS);
    판정일체크->setChecked(in.판정일체크);
    판정일->setDate(in.판정일);
    (in.가 ? SSOption1 : SSOption2)->setChecked(true);
    분만일체크->setChecked(in.분만일체크);
    분만일->setDate(in.분만일);
    송아지번호->setText(in.송아지번호);
    (in.암 ? SSOption3 : SSOption4)->setChecked(true);
    생시체중->setText(in.생시체중);
    분만난이도->setText(in.분만난이도);
    인공수정자->setText(in.인공수정자);
    비고->setText(in.비고);
}

void BreedingDialog::setDefaults()
{
    const QDate now = today();
    수정일->setDate(now);
    예정일체크->setChecked(true);
    예정일->setDate(수정일->date().addDays(breeding::kGestationDays));
    판정일->setDate(now);
    분만일->setDate(now);
}

BoundStatement BreedingDialog::recordQuery(const QString& animal, const QString& key) const
{
    return breeding::recordQuery(animal, key);
}

void BreedingDialog::fillFromRecord(const QSqlRecord& record)
{
    showInput(breeding::applyRecord(input(), record));
}

CheckResult BreedingDialog::checkInput() const
{
    return breeding::check(input());
}

QDate BreedingDialog::keyDate() const
{
    return 수정일->date();
}

BoundStatement BreedingDialog::storeStatement(const QString& animal, const QString& key) const
{
    return key.isEmpty() ? breeding::insertStatement(animal, input()) : breeding::updateStatement(animal, key, input());
}

QStringList BreedingDialog::gridRow() const
{
    return breeding::savedRow(input());
}
