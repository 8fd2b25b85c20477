#include "controls/CMyStaticTitel.h"
#include "controls/CPinsel.h"
#include "model/CSettings.h"
#include "resources/Strings.h"
#include "support/gui/GuiTestApp.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QColor kDefaultViolet(210, 210, 255);

// A settings file in a temporary folder with the given lines.
class TitleSettings {
public:
    explicit TitleSettings(const QByteArray &content)
        : m_path(m_dir.filePath(QStringLiteral("zelvaron.ini")))
    {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    model::CSettings Settings() const { return model::CSettings(m_path); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QImage render(QWidget &widget)
{
    return widget.grab().toImage();
}

class CMyStaticTitelTest : public ::testing::Test {
protected:
    CMyStaticTitelTest() { GuiTestApp(); }

    // A title of 200 x 40 pixels without text, coloured by `settings`.
    std::unique_ptr<CMyStaticTitel> Title(const QByteArray &settings)
    {
        auto title = std::make_unique<CMyStaticTitel>();
        title->ApplySettings(TitleSettings(settings).Settings());
        title->resize(200, 40);
        return title;
    }
};

TEST_F(CMyStaticTitelTest, WithoutSettingsTheTitleIsLightVioletWithBlackText)
{
    const auto title = Title(QByteArray());
    EXPECT_EQ(title->Brush(), CPinsel::BRUSHDATEN{});
    EXPECT_EQ(title->TextColour(), QColor(Qt::black));
    const QImage image = render(*title);
    EXPECT_EQ(image.pixelColor(100, 20), kDefaultViolet);
}

TEST_F(CMyStaticTitelTest, TheFrameIsBlackTopLeftAndWhiteBottomRight)
{
    const QImage image = render(*Title(QByteArray()));
    EXPECT_EQ(image.pixelColor(100, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(100, 39), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(199, 20), QColor(Qt::white));
}

TEST_F(CMyStaticTitelTest, SettingsGiveBrushAndTextColour)
{
    const auto title = Title("[StaticTitelFarben]\nBrushBk=-65536,-16776961,1,17\nSchrift=255\n");
    EXPECT_EQ(title->Brush().Colour1, -65536);
    EXPECT_EQ(title->Brush().Colour2, -16776961);
    EXPECT_EQ(title->Brush().Kind, CPinsel::Horizontal);
    EXPECT_EQ(title->Brush().Extra, 17);
    EXPECT_EQ(title->TextColour(), QColor(255, 0, 0));
    const QImage image = render(*title);
    const QColor left = image.pixelColor(2, 20);
    const QColor right = image.pixelColor(197, 20);
    EXPECT_GT(left.red(), 240);
    EXPECT_LT(left.blue(), 15);
    EXPECT_GT(right.blue(), 240);
    EXPECT_LT(right.red(), 15);
}

TEST_F(CMyStaticTitelTest, AnEmptyBrushEntryKeepsTheDefault)
{
    EXPECT_EQ(Title("[StaticTitelFarben]\nBrushBk=\n")->Brush(), CPinsel::BRUSHDATEN{});
}

TEST_F(CMyStaticTitelTest, KindNineLeavesTheBackgroundOfTheParent)
{
    QWidget parent;
    parent.resize(200, 40);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(12, 34, 56));
    parent.setPalette(palette);
    auto *title = new CMyStaticTitel(&parent);
    title->ApplySettings(TitleSettings("[StaticTitelFarben]\nBrushBk=-1,-1,9,0\n").Settings());
    title->resize(200, 40);
    EXPECT_EQ(render(parent).pixelColor(100, 20), QColor(12, 34, 56));
}

TEST_F(CMyStaticTitelTest, AHashTextIsComposedFromStrings)
{
    const struct {
        const char16_t *text;
        QString composed;
    } rows[] = {
        {u"#205;206", LoadStr(205) + LoadStr(206)},
        {u"#205;99999;206", LoadStr(205) + LoadStr(206)},
        {u"#0;206;", LoadStr(206)},
        {u"#", QString()},
        {u"Alle Optionen", QStringLiteral("Alle Optionen")},
        {u"Nummer #205", QStringLiteral("Nummer #205")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CMyStaticTitel::ComposeText(QString::fromUtf16(row.text)), row.composed)
            << QString::fromUtf16(row.text).toStdString();
    CMyStaticTitel title;
    title.SetText(QStringLiteral("#205;206"));
    EXPECT_EQ(title.Text(), LoadStr(205) + LoadStr(206));
}

TEST_F(CMyStaticTitelTest, ALongTextWrapsAndTheTitleGrows)
{
    CMyStaticTitel title;
    title.SetText(QStringLiteral("Wort "));
    const int oneLine = title.heightForWidth(300);
    title.SetText(QStringLiteral("Wort ").repeated(60));
    EXPECT_GT(title.heightForWidth(300), 2 * oneLine - 2 * CMyStaticTitel::TextInset);
    EXPECT_LT(title.heightForWidth(3000), title.heightForWidth(300));
}

TEST(CMyStaticTitelColours, SettingsColoursAreBlueGreenRed)
{
    EXPECT_EQ(CMyStaticTitel::FromColorRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(CMyStaticTitel::FromColorRef(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(CMyStaticTitel::FromColorRef(0x804020), QColor(0x20, 0x40, 0x80));
}

} // namespace
