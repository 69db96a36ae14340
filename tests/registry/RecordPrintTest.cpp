// The print buttons of the cow and bull record forms, driven like a farmer does: each of the
// five reports printed to PDF from an opened form and read back as text.
#include "RecordPrintFixture.h"
#include "history/GradingPage.h"
#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "registry/RecordPrints.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <stdexcept>

TEST_F(RecordPrintTest, TheCowsRecordBookPrintsWhatTheFormShows)
{
    addAnimal("KR-COW", 0, {{"판매일", 20100115}});
    addMeasurements("KR-COW");
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    // Typed but not stored: printed as shown.
    find<QLineEdit>("별명", f)->setText(" 새벽목장 ");
    f->gradingPage()->textBox("최종등급")->setText("1+B");

    const QString text = printPdf(f, "cmdPrn1", "cow");
    const MessageSpec& question = farm.messages().shown().first().box;
    EXPECT_EQ(question.text, "한우암소 개체기록부를 출력 하시겠습니까?");
    EXPECT_EQ(question.title, "출력확인");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(script.pdfSuggested, "한우암소 개체기록부.pdf");

    for (const char* shown :
         {"한우(암소) 개체기록부", "한빛농장", "제2010-17호", "KR-COW", "2008년 01월 05일", "등록-1027", "새벽목장",
          "2008년 03월 20일", "950", "F-2001", "M-3002", "이마 흰점", "우방-77"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
    EXPECT_FALSE(text.contains("햇살목장"));

    // Growth stages from weighings 1-8: each date as yy-mm-dd; birth and arrival with date and weight only.
    for (const char* date :
         {"08-01-05", "08-03-20", "09-01-05", "09-07-05", "10-01-05", "10-05-05", "10-09-05", "10-10-05"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(date))) << date;
    for (const char* stage : {"80", "130", "기기-C", "기기-H", "측정박", "측정윤", "3등급", "8등급", "36개월"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(stage))) << stage;
    for (const char* absent :
         {"10-11-05", "10-12-05", "기기-I", "기기-J", "40개월", "기기-A", "기기-B", "측정김", "측정장"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
    // Body measurements 1-5 of six.
    for (int r = 1; r <= 5; ++r) {
        EXPECT_TRUE(text.contains(QStringLiteral("체척자%1").arg(r))) << r;
        EXPECT_TRUE(text.contains(QStringLiteral("08-%1-11").arg(r + 1, 2, 10, QChar(u'0')))) << r;
    }
    EXPECT_FALSE(text.contains("체척자6"));
    // The grading as the tab shows it, and the cow's sale date as her shipment.
    for (const char* graded : {"음성공판장", "10-01-20", "720", "430", "1+B", "21,500", "9,800,000", "박판정"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(graded))) << graded;
    EXPECT_FALSE(text.contains("1++A"));
    EXPECT_EQ(text.count("2010년 01월 15일"), 2);
    EXPECT_TRUE(linesWith(text, "출하일").join(u'\n').contains("2010년 01월 15일"));
}

TEST_F(RecordPrintTest, TheBullsRecordBookShipsOnItsShipmentDateNotItsCastration)
{
    addAnimal("KR-BULL", 1, {{"판매일", 20080601}, {"출하예정일", 20100901}, {"출하일", 20100915}});
    addMeasurements("KR-BULL");
    AnimalRecordForm* f = open("KR-BULL");
    ASSERT_TRUE(f);

    const QString text = printPdf(f, "cmdPrn1", "bull");
    EXPECT_EQ(farm.messages().shown().first().box.text, "한우수소 개체기록부를 출력 하시겠습니까?");
    EXPECT_EQ(script.pdfSuggested, "한우수소 개체기록부.pdf");
    for (const char* shown : {"한우(수소) 개체기록부", "한빛농장", "KR-BULL", "우방-77", "기기-H", "체척자5", "박판정"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
    EXPECT_FALSE(text.contains("기기-I"));
    EXPECT_FALSE(text.contains("체척자6"));
    // Castration, planned and actual shipment: each once, in its own place.
    EXPECT_EQ(text.count("2008년 06월 01일"), 1);
    EXPECT_EQ(text.count("2010년 09월 01일"), 1);
    EXPECT_EQ(text.count("2010년 09월 15일"), 1);
    EXPECT_TRUE(linesWith(text, "거세일").join(u'\n').contains("2008년 06월 01일"));
    const QString shipment = linesWith(text, "출하일").join(u'\n');
    EXPECT_TRUE(shipment.contains("2010년 09월 15일")) << shipment.toStdString();
    EXPECT_FALSE(shipment.contains("2008년 06월 01일")) << shipment.toStdString();
}

TEST_F(RecordPrintTest, AnUntickedDateIsNotPrintedWhateverItsPickerHolds)
{
    addAnimal("KR-COW", 0, {{"판매일", 20100115}});
    addMeasurements("KR-COW");
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상, 처치) values('KR-COW', 20090401, '설사', '지사제')");
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    // The box cleared, the picker still holding a day: no birth date is recorded.
    for (const char* date : {"개체생일", "판매일"}) {
        find<QCheckBox>(QString::fromUtf8(date) + "체크", f)->setChecked(false);
        find<QDateEdit>(QString::fromUtf8(date), f)->setDate(QDate(2007, 7, 7));
    }
    for (const char* command : {"cmdPrn1", "cmdPrn3"}) {
        const QString text = printPdf(f, command, QString::fromUtf8(command));
        EXPECT_TRUE(text.contains("KR-COW")) << command;
        EXPECT_FALSE(text.contains("2007년 07월 07일")) << command;
        EXPECT_FALSE(text.contains("2010년 01월 15일")) << command;
    }
}

TEST_F(RecordPrintTest, CancellingThePrinterDialogAssignsNothingAndPrintsNothing)
{
    addAnimal("KR-COW", 0);
    addAnimal("KR-BULL", 1);
    for (const char* animal : {"KR-COW", "KR-BULL"}) {
        farm.addBreeding(QString::fromUtf8(animal), 20090101);
        farm.exec("insert into 백신접종(개체번호, 날짜, 증상) values(?, 20090401, '설사')",
                  {QString::fromUtf8(animal)});
    }
    const struct {
        const char* animal;
        const char* command;
    } cases[] = {{"KR-COW", "cmdPrn1"},
                 {"KR-COW", "cmdPrn2"},
                 {"KR-COW", "cmdPrn3"},
                 {"KR-BULL", "cmdPrn1"},
                 {"KR-BULL", "cmdPrn2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.animal) + " " + c.command);
        AnimalRecordForm* f = open(QString::fromUtf8(c.animal));
        ASSERT_TRUE(f);
        ReportJob& job = reportControl();
        job.formulas = {{"앞", "값"}};
        const int runs = job.runCount();
        script.printers.setCalls.clear();
        script.choose("축사 프린터", "cmdCancel");
        print(f, QString::fromUtf8(c.command));
        EXPECT_EQ(job.runCount(), runs);
        EXPECT_EQ(job.formulas, (report::Formulas{{"앞", "값"}}));
        // The cancel button made the chosen printer the default; the print put the old one back.
        EXPECT_EQ(script.printers.setCalls, QStringList({"축사 프린터", "사무실 프린터"}));
        EXPECT_EQ(script.printers.current, "사무실 프린터");
        f->close();
    }
}

TEST_F(RecordPrintTest, AnEmptyGridStopsItsPrintWithItsOwnMessage)
{
    addAnimal("KR-COW", 0);
    addAnimal("KR-BULL", 1);
    // A treatment but no breeding: the treatment record prints, the breeding record does not.
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상) values('KR-COW', 20090401, '설사')");
    const struct {
        const char* animal;
        const char* command;
        const char* message;  // empty: the print goes ahead
    } cases[] = {
        {"KR-COW", "cmdPrn2", "출력할 번식기록이 없습니다.."},
        {"KR-COW", "cmdPrn3", ""},
        {"KR-BULL", "cmdPrn2", "출력할 진료백신 기록이 없습니다.."},
        // The record book has no such test: an animal without records prints its empty book.
        {"KR-BULL", "cmdPrn1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.animal) + " " + c.command);
        AnimalRecordForm* f = open(QString::fromUtf8(c.animal));
        ASSERT_TRUE(f);
        farm.messages().clear();
        const int dialogs = script.dialogRuns;
        if (*c.message) {
            click(QString::fromUtf8(c.command), f);
            ASSERT_EQ(farm.messages().count(), 1);
            const MessageSpec& m = farm.messages().last();
            EXPECT_EQ(m.text, QString::fromUtf8(c.message));
            EXPECT_EQ(m.title, "출력확인");
            EXPECT_EQ(m.icon, MsgIcon::Critical);
            EXPECT_EQ(m.buttons, MsgButton::Ok);
            EXPECT_EQ(script.dialogRuns, dialogs);
        } else {
            EXPECT_TRUE(printPdf(f, QString::fromUtf8(c.command), QString::fromUtf8(c.command)).contains(c.animal));
            EXPECT_EQ(script.dialogRuns, dialogs + 1);
        }
        f->close();
    }
}

TEST_F(RecordPrintTest, ABreedingRecordJustAddedPrintsLastAsTheDialogWroteItThenInDateOrder)
{
    addAnimal("KR-COW", 0);
    farm.addBreeding("KR-COW", 20090501,
                     {{"산차", 1}, {"회수", 1}, {"정액번호", "KPN-1001"}, {"판정일", 20090601}, {"가부", 0}});
    farm.addBreeding("KR-COW", 20091208,
                     {{"산차", 2},
                      {"회수", 1},
                      {"정액번호", "KPN-1003"},
                      {"공란우", "공-9"},
                      {"BCS", 6},
                      {"예정일", 20100914},
                      {"분만일", 20100910},
                      {"송아지번호", "C-77"},
                      {"성별", 1},
                      {"분만난이도", "1 순산"}});
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    HistoryTab* tab = f->historyTab(1);
    ASSERT_TRUE(driveModal<HistoryEntryDialog>(tab->findChild<QPushButton*>("cmdInsert1"), [&](HistoryEntryDialog& d) {
        d.textBox("산차")->setText("1");
        d.textBox("회수")->setText("2");
        d.textBox("정액번호")->setText("KPN-1002");
        d.datePicker("수정일")->setDate(QDate(2009, 8, 1));
        d.dateBox("예정일")->setChecked(false);  // no expected calving, so no BCS either
        d.dateBox("판정일")->setChecked(true);
        d.datePicker("판정일")->setDate(QDate(2009, 9, 1));
        d.option("SSOption1")->setChecked(true);
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(d.save());
    }));
    ASSERT_EQ(tab->rowCount(), 3);

    const QString added = printPdf(f, "cmdPrn2", "breeding-added");
    EXPECT_EQ(farm.messages().last().text, "한우암소 번식기록을 출력 하시겠습니까?");
    EXPECT_EQ(script.pdfSuggested, "한우암소 번식기록.pdf");
    EXPECT_EQ(workRows("번식기록워크"), QStringList({
                                            "1|1|09.05.01|KPN-1001|||0|09.06.01|가||||",
                                            "2|1|09.12.08|KPN-1003|공-9|10.09.14|6|||10.09.10|C-77|수|1 순산",
                                            "1|2|09.08.01|KPN-1002|||0|09.09.01|가(O)||||",
                                        }));
    const QStringList order = linesWith(added, "KPN-100");
    ASSERT_EQ(order.size(), 3);
    EXPECT_TRUE(order[2].contains("KPN-1002") && order[2].contains("가(O)")) << order[2].toStdString();
    EXPECT_TRUE(added.contains("한우(암소) 번식기록부"));

    // Reopened, the cow's records load in date order, the result as stored.
    f->close();
    f = open("KR-COW");
    ASSERT_TRUE(f);
    const QString reopened = printPdf(f, "cmdPrn2", "breeding-reopened");
    EXPECT_EQ(workRows("번식기록워크")[1], "1|2|09.08.01|KPN-1002|||0|09.09.01|가||||");
    const QStringList inOrder = linesWith(reopened, "KPN-100");
    ASSERT_EQ(inOrder.size(), 3);
    EXPECT_TRUE(inOrder[1].contains("KPN-1002") && inOrder[1].contains("09.08.01")) << inOrder[1].toStdString();
    EXPECT_TRUE(inOrder[1].split(u' ').contains("가")) << inOrder[1].toStdString();
    EXPECT_FALSE(inOrder[1].contains("가(O)")) << inOrder[1].toStdString();
}

TEST_F(RecordPrintTest, TreatmentPrintsCopyTheGridWithBlanksForMissingNamesAndQuotesOnce)
{
    const struct {
        const char* animal;
        int sex;
        const char* command;
        const char* question;
        const char* title;
        const char* heading;
    } cases[] = {
        {"KR-COW", 0, "cmdPrn3", "한우암소 진료백신 기록을 출력 하시겠습니까?", "한우암소 진료백신 기록부",
         "한우(암소) 진료·백신 기록부"},
        {"KR-BULL", 1, "cmdPrn2", "한우수소 진료백신 기록을 출력 하시겠습니까?", "한우수소 진료백신 기록부",
         "한우(수소) 진료·백신 기록부"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.animal);
        const QString animal = QString::fromUtf8(c.animal);
        addAnimal(animal, c.sex, {{"출하일", c.sex ? 20100915 : 0}});
        farm.exec(
            "insert into 백신접종 values(?, 20090401, '설사', '항생제 주사', 20090410, '', "
            "'바늘 ''B'' 잔류', 0, '')",
            {animal});
        farm.exec(
            "insert into 백신접종 values(?, 20090510, '구제역 백신', '접종', 20090510, '이수의', '', 20090501, "
            "'한빛약품')",
            {animal});
        AnimalRecordForm* f = open(animal);
        ASSERT_TRUE(f);

        const QString text = printPdf(f, QString::fromUtf8(c.command), animal);
        EXPECT_EQ(farm.messages().last().text, QString::fromUtf8(c.question));
        EXPECT_EQ(script.pdfSuggested, QString::fromUtf8(c.title) + ".pdf");
        EXPECT_EQ(workRows("백신접종워크"),
                  QStringList({"2009-04-01|설사|| |항생제 주사|2009-04-10| |바늘 'B' 잔류",
                               "2009-05-10|구제역 백신|2009-05-01|한빛약품|접종|2009-05-10|이수의|"}));
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.heading)));
        EXPECT_EQ(text.count("바늘 'B' 잔류"), 1);
        EXPECT_FALSE(text.contains("''"));
        for (const char* shown : {"한빛농장", "제2010-17호", "우방-77", "한빛약품", "2009-05-10"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
        // The bull's header carries his shipment dates; an unticked one is an empty value.
        const ReportJob& job = reportControl();
        EXPECT_EQ(job.formulas.contains("출하예정일"), c.sex != 0);
        EXPECT_EQ(job.formulas.contains("출하일"), c.sex != 0);
        if (c.sex) {
            EXPECT_EQ(job.formulas.value("출하예정일"), "");
            EXPECT_EQ(job.formulas.value("출하일"), "2010년 09월 15일");
            EXPECT_TRUE(text.contains("2010년 09월 15일"));
        }
        EXPECT_EQ(job.formulas.value("우방번호"), "우방-77");
        EXPECT_EQ(job.formulas.names().last(), "우방번호");
        EXPECT_EQ(job.formulas.size(), c.sex ? 16 : 14);
        f->close();
    }
}

TEST_F(RecordPrintTest, AFailedWorkTableFillPrintsNeitherAHalfFilledNorAStaleTable)
{
    addAnimal("KR-COW", 0);
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상) values('KR-COW', 20090401, '설사')");
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상) values('KR-COW', 20090510, '구제역 백신')");
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    printPdf(f, "cmdPrn3", "before");
    const QStringList before = workRows("백신접종워크");
    ASSERT_EQ(before.size(), 2);

    // The second row of the next filling fails.
    farm.exec(
        "create trigger 두번째거부 before insert on 백신접종워크 when (select count(*) from 백신접종워크) >= 1 "
        "begin select raise(abort, '저장 공간이 부족합니다'); end");
    const QString pdf = out.filePath("failed.pdf");
    script.savePdf(pdf);
    const int runs = reportControl().runCount();
    const int dialogs = script.dialogRuns;
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    farm.messages().answer(MsgButton::Cancel);  // to the reconnect prompt
    EXPECT_EQ(printTreatmentRecord(*f), PrintOutcome::FillFailed);
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, "DB Access Error");
    EXPECT_EQ(workRows("백신접종워크"), before);
    EXPECT_EQ(reportControl().runCount(), runs);
    EXPECT_EQ(script.dialogRuns, dialogs);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(RecordPrintTest, AnErrorInTheRecordBookIsReportedOnceTheDefaultPrinterIsBack)
{
    addAnimal("KR-COW", 0);
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상) values('KR-COW', 20090401, '설사')");
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    script.choose("축사 프린터", "cmdlyout");
    reportControl().setPreviewRunner(
        [](QPrintPreviewDialog&) { throw std::runtime_error("미리보기 창을 열 수 없습니다."); });
    QString defaultAtMessage;
    farm.messages().onShow = [&](const MessageSpec&) { defaultAtMessage = script.printers.current; };

    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    EXPECT_EQ(printRecordBook(*f), PrintOutcome::Failed);
    ASSERT_EQ(farm.messages().count(), 2);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.text, "미리보기 창을 열 수 없습니다.");
    EXPECT_EQ(m.title, "한우암소관리");
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    EXPECT_EQ(defaultAtMessage, "사무실 프린터");
    EXPECT_EQ(script.printers.current, "사무실 프린터");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The history prints end such an error quietly, the default printer put back all the same.
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    EXPECT_EQ(printTreatmentRecord(*f), PrintOutcome::Failed);
    EXPECT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(script.printers.current, "사무실 프린터");
}
