// The hook guard (tests/support/HookGuard) restores every hook the program lets a test swap. The
// hooks are found in the headers of src, so a hook added without its line in the guard fails
// here instead of leaking into whichever test runs next.
#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {
QString readSource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList headersOf(const QString& dir)
{
    QStringList files;
    for (QDirIterator it(dir, {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    files.sort();
    return files;
}

// The setters of program-wide state in a set of headers, each with the header it is in: a
// setter declared at namespace level or as a static member, and any setter taking a callback
// type of the program's own (`using X = std::function<…>`), wherever it is declared.
QMap<QString, QString> hookSetters(const QMap<QString, QString>& headers)
{
    QSet<QString> callbacks;
    static const QRegularExpression callback(QStringLiteral(R"(using\s+(\w+)\s*=\s*std::function<)"));
    for (const QString& text : headers)
        for (auto m = callback.globalMatch(text); m.hasNext();) callbacks.insert(m.next().captured(1));

    static const QRegularExpression freeOrStatic(
        QStringLiteral(R"(^(?:static\s+|\s+static\s+)?(?!return\b)[A-Za-z_][\w:<>,*&\s]*?\b(set[A-Z]\w*)\s*\()"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression takesCallback(QStringLiteral(R"(\b(set[A-Z]\w*)\s*\(([^)]*))"));
    static const QRegularExpression word(QStringLiteral(R"(\w+)"));
    QMap<QString, QString> setters;
    for (auto h = headers.constBegin(); h != headers.constEnd(); ++h) {
        for (const QString& line : h.value().split(u'\n')) {
            const QString code = line.section(QStringLiteral("//"), 0, 0);
            if (code.trimmed().isEmpty()) continue;
            const bool namespaceLevel = !code.front().isSpace();
            const bool isStatic = code.trimmed().startsWith(QStringLiteral("static "));
            if (namespaceLevel || isStatic) {
                const QRegularExpressionMatch m = freeOrStatic.match(code);
                if (m.hasMatch()) setters.insert(m.captured(1), h.key());
            }
            for (auto m = takesCallback.globalMatch(code); m.hasNext();) {
                const QRegularExpressionMatch c = m.next();
                for (auto w = word.globalMatch(c.captured(2)); w.hasNext();)
                    if (callbacks.contains(w.next().captured())) setters.insert(c.captured(1), h.key());
            }
        }
    }
    return setters;
}

// The setters the guard calls.
QSet<QString> guardedSetters(const QString& guardSource)
{
    QSet<QString> called;
    static const QRegularExpression call(QStringLiteral(R"(\b(set[A-Z]\w*)\s*\()"));
    for (auto m = call.globalMatch(guardSource); m.hasNext();) called.insert(m.next().captured(1));
    return called;
}

// Setters the scan finds that change no program-wide state, with why.
const QMap<QString, const char*> kNotHooks = {
    {QStringLiteral("setExportName"), "names the file of one grid, which goes with the grid"},
    {QStringLiteral("setExportContent"), "the rows of one grid, which goes with the grid"},
    {QStringLiteral("setColumnChars"), "column widths of one grid"},
    {QStringLiteral("setAnimalColumnValue"), "a field of one animal record"},
    {QStringLiteral("setOpener"), "a menu entry of one main window, which goes with the window"},
    {QStringLiteral("setDefaultPrinter"), "asks the printer system, which the guard restores"},
    {QStringLiteral("setSecondBackupFolder"), "a setting in the program folder's Tarvik.ini, which goes with it"},
    {QStringLiteral("setModificationTimeNs"), "the time stamp of one file"},
};

QMap<QString, QString> srcHeaders()
{
    QMap<QString, QString> headers;
    for (const QString& file : headersOf(QStringLiteral(TARVIK_SOURCE_DIR "/src")))
        headers.insert(file, readSource(file));
    return headers;
}
}  // namespace

TEST(HookGuard, RestoresEveryHookTheProgramLetsATestSwap)
{
    const QMap<QString, QString> setters = hookSetters(srcHeaders());
    const QSet<QString> guarded =
        guardedSetters(readSource(QStringLiteral(TARVIK_SOURCE_DIR "/tests/support/HookGuard.cpp")));
    // The scan itself: the hooks every kind of declaration gives.
    for (const char* known : {"setMessenger", "setTodayOverride", "setFolderChooser", "setPreviewRunner",
                              "setImportFileChooser", "setPrinterSystem"})
        EXPECT_TRUE(setters.contains(QString::fromLatin1(known))) << known;
    ASSERT_GT(guarded.size(), 10);

    for (auto s = setters.constBegin(); s != setters.constEnd(); ++s) {
        if (kNotHooks.contains(s.key())) continue;
        EXPECT_TRUE(guarded.contains(s.key()))
            << s.key().toStdString() << " ("
            << QDir(QStringLiteral(TARVIK_SOURCE_DIR)).relativeFilePath(s.value()).toStdString()
            << ") swaps a hook the guard never restores: call it in HookGuard's destructor with the real behaviour";
    }
    for (const QString& g : guarded)
        EXPECT_TRUE(setters.contains(g) && !kNotHooks.contains(g))
            << g.toStdString() << " is called by the guard but is no hook setter in src";
    for (auto n = kNotHooks.constBegin(); n != kNotHooks.constEnd(); ++n)
        EXPECT_TRUE(setters.contains(n.key())) << n.key().toStdString() << " is no longer in src: take it off the list";
}

TEST(HookGuard, TheScanFindsEachFormOfHookSetter)
{
    const QMap<QString, QString> headers = {
        {QStringLiteral("a.h"), QStringLiteral("using Asker = std::function<QString()>;\n"
                                               "void setAskerHook(Asker asker);\n"
                                               "QString setting();\n"
                                               "bool setLimit(int n);  // at namespace level\n")},
        {QStringLiteral("b.h"), QStringLiteral("class Window {\n"
                                               "public:\n"
                                               "    static void setChooser(Chooser c);\n"
                                               "    void setTitle(const QString& t);\n"
                                               "    void setEntry(int entry, Asker asker);\n"
                                               "    void setRunner(const Asker& runner) { m_runner = runner; }\n"
                                               "    // void setCommented(Asker a);\n"
                                               "};\n")},
    };
    const QMap<QString, QString> found = hookSetters(headers);
    EXPECT_EQ(QStringList(found.keys()),
              (QStringList{"setAskerHook", "setChooser", "setEntry", "setLimit", "setRunner"}));
    EXPECT_EQ(guardedSetters(
                  QStringLiteral("setMessenger(nullptr);\n    Dialog::setChooser({});\n    control().setRunner({});")),
              (QSet<QString>{"setMessenger", "setChooser", "setRunner"}));
}
