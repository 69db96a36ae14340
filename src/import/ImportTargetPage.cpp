#include "import/ImportTargetPage.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

ImportTargetPage::ImportTargetPage(ImportDraft& draft, QWidget* parent) : ImportPage(draft, parent)
{
    auto* v = new QVBoxLayout(this);
    v->addWidget(
        importNote(QStringLiteral("파일에 든 기록이 무엇인지 고르십시오."), QStringLiteral("lblTargetNote"), this));
    m_animals =
        importOption(QStringLiteral("optAnimals"), QStringLiteral("개체 (개체관리: 개체번호, 암/수, 생일, …)"), this);
    m_breeding =
        importOption(QStringLiteral("optBreeding"), QStringLiteral("번식기록 (개체번호, 수정일, 정액번호, …)"), this);
    m_bulls = importOption(QStringLiteral("optBulls"),
                           QStringLiteral("씨수소 목록 (KPN, 구분, 아비, 외조부, 육종가, 단가, …)"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_animals);
    group->addButton(m_breeding);
    group->addButton(m_bulls);
    m_animals->setChecked(true);
    v->addWidget(m_animals);
    v->addWidget(m_breeding);
    v->addWidget(m_bulls);
    v->addWidget(importNote(QStringLiteral("번식기록은 개체관리에 있는 암소에만 들어갑니다. 새 농장이면 개체를 "
                                           "먼저 가져오십시오."),
                            QStringLiteral("lblBreedingNote"), this));
    v->addStretch();
}

bool ImportTargetPage::enter()
{
    switch (likelyTarget(draft().firstRows.rows)) {
    case ImportTarget::Animals: m_animals->setChecked(true); break;
    case ImportTarget::Breeding: m_breeding->setChecked(true); break;
    case ImportTarget::Bulls: m_bulls->setChecked(true); break;
    }
    return true;
}

bool ImportTargetPage::leave()
{
    plan().target = m_breeding->isChecked() ? ImportTarget::Breeding
                    : m_bulls->isChecked()  ? ImportTarget::Bulls
                                            : ImportTarget::Animals;
    return true;
}
