#include "registry/model/AnimalEntry.h"

#include "data/Values.h"

AnimalRecord animalAsStored(AnimalRecord r)
{
    for (QString* text : {&r.개체번호, &r.등록번호, &r.별명, &r.우방번호, &r.정액번호, &r.부번호, &r.축산업번호,
                          &r.번식농장, &r.모번호, &r.개체특징, &r.점수})
        *text = text->trimmed();
    if (r.구분 == AnimalKind::Cow) {
        r.출하예정일 = 0;
        r.출하일 = 0;
    }
    return r;
}

CheckResult checkAnimal(const AnimalRecord& typed)
{
    if (typed.개체번호.trimmed().isEmpty())
        return entry::missing(QStringLiteral("개체번호"), QStringLiteral("개체번호를 입력해 주세요."));
    // A score that is no number (or a negative one) is refused here rather than by the database.
    const QString score = typed.점수.trimmed();
    if (!score.isEmpty() && (!isNumeric(score) || numericValue(score) < 0))
        return entry::invalidValue(QStringLiteral("점수"));
    return std::nullopt;
}
