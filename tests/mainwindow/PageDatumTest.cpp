#include "PageTestSupport.h"

#include <QTest>

#include "engine/TextFormat.h"
#include "mainwindow/PageDatum.h"
#include "mainwindow/PageDatumTexts.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

using Group = model::CPageDatum;

const QDateTime kToday(QDate(2015, 3, 10), QTime(12, 0, 0));
const QDateTime kLater(QDate(2015, 3, 11), QTime(8, 30, 15));

constexpr int kNoDate = 2070;
constexpr int kAbsolute = 2072;
constexpr int kRelative = 2071;

class PageDatumTest : public PageTest {
protected:
    ui::CPageDatum &Page()
    {
        if (!m_page)
            m_page = std::make_unique<ui::CPageDatum>(Environment(), [this] { return now; });
        return *m_page;
    }
    QLineEdit &Edit(int id) { return Find<QLineEdit>(Page(), id); }
    QString Text(int id) { return Find<QLabel>(Page(), id).text(); }
    void ClickMode(int id) { Find<QRadioButton>(Page(), id).click(); }

    QDateTime now = kToday;

private:
    std::unique_ptr<ui::CPageDatum> m_page;
};

TEST_F(PageDatumTest, ResetShowsNoDateAndEmptyDisabledFields)
{
    project.Datum.DateFilterMode = Group::AbsoluteRange;
    project.Datum.DateFromText = QStringLiteral("01.01.2015");
    project.Reset();
    Page();
    EXPECT_TRUE(Find<QRadioButton>(Page(), kNoDate).isChecked());
    for (int id : {2048, 2049, 2050, 2051}) {
        EXPECT_TRUE(Edit(id).text().isEmpty()) << id;
        EXPECT_FALSE(Edit(id).isEnabled()) << id;
    }
    EXPECT_TRUE(Text(1064).isEmpty());
}

TEST_F(PageDatumTest, EveryFieldGoesToItsControlAndBack)
{
    const Group absolute{Group::AbsoluteRange, QString(), QStringLiteral("01.03.2015"), QStringLiteral("31.03.2015"),
                         QString()};
    const Group relative{Group::RelativeToStart, QStringLiteral("6"), QString(), QString(), QStringLiteral("2")};
    for (const Group &loaded : {absolute, relative}) {
        project.Datum = loaded;
        Page().ShowValues();
        EXPECT_EQ(Edit(2048).text(), loaded.DateFromText);
        EXPECT_EQ(Edit(2049).text(), loaded.DateToText);
        EXPECT_EQ(Edit(2051).text(), loaded.RelativeDays);
        EXPECT_EQ(Edit(2050).text(), loaded.RelativeHours);
        EXPECT_TRUE(Find<QRadioButton>(Page(), loaded.DateFilterMode == 1 ? kAbsolute : kRelative).isChecked());
        project.Datum = Group{};
        ASSERT_TRUE(Page().TakeValues());
        EXPECT_EQ(project.Datum, loaded);
    }
}

TEST_F(PageDatumTest, ModeSwitchesEmptyTheTextsTheModeDoesNotUse)
{
    const struct {
        int mode;
        bool keepsDates;
        bool keepsAmounts;
    } rows[] = {{kNoDate, false, false}, {kAbsolute, true, false}, {kRelative, false, true}};
    for (const auto &row : rows) {
        Edit(2048).setText(QStringLiteral("01.03.2015"));
        Edit(2049).setText(QStringLiteral("31.03.2015"));
        Edit(2051).setText(QStringLiteral("1"));
        Edit(2050).setText(QStringLiteral("3"));
        ClickMode(row.mode);
        EXPECT_EQ(!Edit(2048).text().isEmpty(), row.keepsDates) << row.mode;
        EXPECT_EQ(!Edit(2049).text().isEmpty(), row.keepsDates) << row.mode;
        EXPECT_EQ(!project.Datum.DateFromText.isEmpty(), row.keepsDates) << row.mode;
        EXPECT_EQ(!project.Datum.RelativeDays.isEmpty(), row.keepsAmounts) << row.mode;
        EXPECT_EQ(Edit(2048).isEnabled(), row.mode == kAbsolute) << row.mode;
        EXPECT_EQ(Edit(2051).isEnabled(), row.mode == kRelative) << row.mode;
        EXPECT_EQ(Edit(2050).isEnabled(), row.mode == kRelative) << row.mode;
    }
}

TEST_F(PageDatumTest, SwitchingFromAbsoluteToRelativeEmptiesBothDates)
{
    ClickMode(kAbsolute);
    Edit(2048).setText(QStringLiteral("01.03.2015"));
    Edit(2049).setText(QStringLiteral("31.03.2015"));
    ClickMode(kRelative);
    EXPECT_TRUE(Edit(2048).text().isEmpty());
    EXPECT_TRUE(Edit(2049).text().isEmpty());
    EXPECT_TRUE(project.Datum.DateFromText.isEmpty());
    EXPECT_TRUE(project.Datum.DateToText.isEmpty());
    EXPECT_EQ(project.Datum.DateFilterMode, Group::RelativeToStart);
}

TEST_F(PageDatumTest, ModeClicksAndTypingMarkTheProjectModified)
{
    ClickMode(kRelative);
    EXPECT_TRUE(project.Modified);
    project.Modified = false;
    Edit(2051).setText(QStringLiteral("3"));
    EXPECT_EQ(project.Datum.RelativeDays, QStringLiteral("3"));
    EXPECT_FALSE(project.Modified) << "showing a value is no change by the user";
    QTest::keyClicks(&Edit(2051), QStringLiteral("4"));
    EXPECT_EQ(project.Datum.RelativeDays, QStringLiteral("34"));
    EXPECT_TRUE(project.Modified);
}

TEST_F(PageDatumTest, TheExplanationSaysWhichFilesAreCopied)
{
    using Args = std::vector<FormatArg>;
    const struct {
        int mode;
        const char16_t *from, *to, *days, *hours;
        ui::Explanation expected;
    } rows[] = {
        {kRelative, u"", u"", u"1", u"0", {384, Args{qint64(1), qint64(1)}}},
        {kRelative, u"", u"", u"1", u"", {384, Args{qint64(1), qint64(1)}}},
        {kRelative, u"", u"", u"0", u"5", {373, Args{qint64(5), qint64(5)}}},
        {kRelative, u"", u"", u"", u"12", {373, Args{qint64(12), qint64(12)}}},
        {kRelative, u"", u"", u"2", u"3", {385, Args{qint64(2), qint64(3), qint64(2), qint64(3)}}},
        {kRelative, u"", u"", u"0", u"0", {}},
        {kRelative, u"", u"", u"abc", u"", {}},
        {kRelative, u"", u"", u"1", u"-5", {373, Args{qint64(19), qint64(19)}}},
        {kRelative, u"", u"", u"-1", u"5", {5883, Args{qint64(19)}}},
        {kAbsolute, u"01.03.2015", u"31.03.2015 23.59.59", u"", u"",
         {372, Args{QStringLiteral("01.03.2015 00:00:00"), QStringLiteral("31.03.2015 23:59:59")}}},
        {kAbsolute, u"1.3.2015 8:05", u"", u"", u"", {370, Args{QStringLiteral("01.03.2015 08:05:00")}}},
        {kAbsolute, u"", u"31.03.2015", u"", u"", {371, Args{QStringLiteral("31.03.2015 00:00:00")}}},
        {kAbsolute, u"gestern", u"31.02.2015", u"", u"", {}},
        {kNoDate, u"", u"", u"", u"", {}},
    };
    for (const auto &row : rows) {
        ClickMode(row.mode);
        Edit(2048).setText(QString::fromUtf16(row.from));
        Edit(2049).setText(QString::fromUtf16(row.to));
        Edit(2051).setText(QString::fromUtf16(row.days));
        Edit(2050).setText(QString::fromUtf16(row.hours));
        const std::string what = std::to_string(row.mode) + " " + QString::fromUtf16(row.days).toStdString() + " "
                               + QString::fromUtf16(row.hours).toStdString() + " "
                               + QString::fromUtf16(row.from).toStdString();
        EXPECT_EQ(ui::ExplainDateFilter(project.Datum), row.expected) << what;
        EXPECT_EQ(Text(1064), ui::DateFilterExplanation(project.Datum)) << what;
    }
}

TEST(PageDatumTexts, TheExplanationFillsItsStringWithTheArguments)
{
    const model::CPageDatum relative{model::CPageDatum::RelativeToStart, QStringLiteral("3"), QString(), QString(),
                                     QStringLiteral("2")};
    EXPECT_EQ(ui::DateFilterExplanation(relative), FormatStr(385, {qint64(2), qint64(3), qint64(2), qint64(3)}));
    EXPECT_EQ(ui::DateFilterExplanation(model::CPageDatum{}), QString());
}

TEST_F(PageDatumTest, InterpretationsShowHowTheFieldsAreRead)
{
    ClickMode(kAbsolute);
    Edit(2048).setText(QStringLiteral("1.3.2015 8:05"));
    Edit(2049).setText(QStringLiteral("kein Datum"));
    EXPECT_EQ(Text(1060), QStringLiteral("01.03.2015 08:05:00"));
    EXPECT_EQ(Text(1061), QString());
    ClickMode(kRelative);
    Edit(2051).setText(QStringLiteral("1"));
    Edit(2050).setText(QStringLiteral("2"));
    EXPECT_EQ(Text(1062), QStringLiteral("09.03.2015 10:00:00"));
    EXPECT_EQ(Text(1060), QString());
    Edit(2051).setText(QStringLiteral("0"));
    Edit(2050).setText(QString());
    EXPECT_EQ(Text(1062), QString());
}

TEST_F(PageDatumTest, ShowingThePageTakesTodayAnew)
{
    Page();
    now = kLater;
    Page().show();
    EXPECT_EQ(Page().Today(), kLater);
    EXPECT_EQ(Edit(1065).text(), QStringLiteral("11.03.2015 08:30:15"));
    EXPECT_TRUE(Edit(1065).isReadOnly());
    ClickMode(kRelative);
    Edit(2051).setText(QStringLiteral("1"));
    EXPECT_EQ(Text(1062), QStringLiteral("10.03.2015 08:30:15"));
}

TEST_F(PageDatumTest, AModeNoButtonStandsForChecksNone)
{
    project.Datum.DateFilterMode = 7;
    project.Datum.DateFromText = QStringLiteral("01.03.2015");
    Page().ShowValues();
    for (int id : {kNoDate, kAbsolute, kRelative})
        EXPECT_FALSE(Find<QRadioButton>(Page(), id).isChecked()) << id;
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Datum.DateFilterMode, 7);
}

TEST(PageDatumTexts, BoundsAreReadAsARunReadsThem)
{
    EXPECT_EQ(ui::DateBoundText(QStringLiteral("24.12.2014 18.30")), QStringLiteral("24.12.2014 18:30:00"));
    EXPECT_EQ(ui::DateBoundText(QStringLiteral("31.02.2015")), QString());
    EXPECT_EQ(ui::DateBoundText(QString()), QString());
    EXPECT_EQ(ui::RelativeBoundText(QStringLiteral("2"), QStringLiteral("3"), kToday),
              QStringLiteral("08.03.2015 09:00:00"));
    EXPECT_EQ(ui::RelativeBoundText(QStringLiteral("0"), QStringLiteral("-3"), kToday), QString());
}

} // namespace
