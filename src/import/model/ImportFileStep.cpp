#include "import/model/ImportFileStep.h"

#include <algorithm>
#include <array>

ImportFile chosenFile(const QString& path, int encodingChoice, int separatorChoice, int sheetChoice)
{
    static constexpr std::array encodings{TextEncoding::Auto, TextEncoding::Utf8, TextEncoding::Cp949};
    static constexpr std::array separators{u'\0', u',', u';', u'\t'};
    ImportFile file;
    file.path = path;
    file.encoding = encodings[size_t(std::clamp(encodingChoice, 0, int(encodings.size()) - 1))];
    file.separator = QChar(separators[size_t(std::clamp(separatorChoice, 0, int(separators.size()) - 1))]);
    file.sheet = std::max(0, sheetChoice);
    return file;
}

FirstRows readFirstRows(const ImportFile& file, int limit)
{
    FirstRows first;
    if (const std::unique_ptr<RowReader> rows = openRows(file, &first.error)) {
        QStringList cells;
        while (first.rows.size() < limit && rows->next(cells)) first.rows << cells;
        first.error = rows->error();
    }
    return first;
}

QString firstRowsProblem(const FirstRows& first)
{
    if (!first.error.isEmpty()) return first.error;
    if (first.rows.isEmpty()) return QStringLiteral("파일에 읽을 행이 없습니다.");
    return {};
}

QString fileInfoText(const ImportFile& file, const FirstRows& first)
{
    if (!first.error.isEmpty()) return first.error;
    if (isWorkbook(file.path)) return QStringLiteral("엑셀 통합 문서");
    const TextEncoding found = file.encoding == TextEncoding::Auto ? detectEncoding(file.path) : file.encoding;
    return QStringLiteral("읽은 인코딩: ") +
           (found == TextEncoding::Cp949 ? QStringLiteral("한글 완성형 (CP949/EUC-KR)") : QStringLiteral("UTF-8"));
}

int headerRowFor(ImportTarget target, const QList<QStringList>& firstRows)
{
    return std::max(0, findHeaderRow(target, firstRows));
}
