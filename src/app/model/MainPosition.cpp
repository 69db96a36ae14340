#include "app/model/MainPosition.h"

#include <QSettings>

TwipsPosition readMainPosition(const QString& iniPath)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    TwipsPosition p;
    p.top = ini.value(QStringLiteral("FRMMAIN/TOP"), 0).toInt();
    p.left = ini.value(QStringLiteral("FRMMAIN/LEFT"), 0).toInt();
    return p;
}

void writeMainPosition(const QString& iniPath, const TwipsPosition& pos)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(QStringLiteral("FRMMAIN/TOP"), QString::number(pos.top));
    ini.setValue(QStringLiteral("FRMMAIN/LEFT"), QString::number(pos.left));
    ini.sync();
}

TwipsPosition correctedPosition(TwipsPosition pos, int screenWidthTwips, int windowWidthTwips)
{
    if (pos.top < 0) pos.top = 1;
    if (pos.left < 0) pos.left = screenWidthTwips - windowWidthTwips;
    return pos;
}
