#include "MainWindowFixture.h"

#include "mainwindow/CPropPageAllgemein.h"
#include "mainwindow/CSheetParam.h"
#include "mainwindow/DropTarget.h"
#include "mainwindow/RecentFiles.h"
#include "model/CSettings.h"
#include "engine/CUtil.h"
#include "support/gui/GuiTestApp.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEST(RecentFiles, AbbreviatesLongPathsKeepingTheFileName)
{
    const struct {
        const char *path;
        const char *shown;
    } rows[] = {
        {"/home/anna/a.zelv", "/home/anna/a.zelv"},
        {"/home/anna/projekte/2026/woche.zelv", "/.../projekte/2026/woche.zelv"},
        {"/sehr/langer/ordnername/der/nicht/passt/tag.zelv", "/.../der/nicht/passt/tag.zelv"},
        {"/sehr/langer/ordnername/der/nicht/passt/dazuu.zelv", "/.../nicht/passt/dazuu.zelv"},
        {"/a/ein-dateiname-der-allein-zu-lang-ist.zelv", "ein-dateiname-der-allein-zu-lang-ist.zelv"},
        {"relativ/ordner/mit/vielen/teilen/x.zelv", ".../mit/vielen/teilen/x.zelv"},
    };
    for (const auto &row : rows) {
        const QString shown = AbbreviatePath(QString::fromUtf8(row.path));
        EXPECT_EQ(shown, QString::fromUtf8(row.shown)) << row.path;
        if (shown.size() > 30) {
            EXPECT_FALSE(shown.contains(u'/')) << "only a file name alone may be longer";
        }
    }
    EXPECT_EQ(RecentFileMenuText(0, QStringLiteral("/a&b.zelv")), QStringLiteral("&1 /a&&b.zelv"));
    EXPECT_EQ(RecentFileMenuText(15, QStringLiteral("/x.zelv")), QStringLiteral("&16 /x.zelv"));
}

TEST(DropTarget, TakesOneFolderOnADirectoryCellOrOneProjectFile)
{
    GuiTestApp();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("ordner"));
    QDir().mkpath(folder);
    const QString project = dir.filePath(QStringLiteral("p.Zelv"));
    const QString text = dir.filePath(QStringLiteral("t.txt"));
    QFile(project).open(QIODevice::WriteOnly);
    QFile(text).open(QIODevice::WriteOnly);
    using K = DropTarget::Kind;
    const struct {
        QStringList paths;
        int sourceRow;
        int targetRow;
        K kind;
        int row;
    } rows[] = {
        {{folder}, 2, -1, K::SourceOfRow, 2},
        {{folder}, -1, 0, K::TargetOfRow, 0},
        {{folder}, -1, -1, K::None, -1},
        {{folder, folder}, 1, -1, K::None, -1},
        {{project}, -1, -1, K::ProjectFile, -1},
        {{project}, 3, -1, K::ProjectFile, -1},
        {{text}, 1, -1, K::None, -1},
        {{dir.filePath(QStringLiteral("fehlt.zelv"))}, -1, -1, K::None, -1},
        {{}, 1, -1, K::None, -1},
    };
    for (const auto &row : rows) {
        const DropTarget target = EvaluateDrop(row.paths, row.sourceRow, row.targetRow);
        EXPECT_EQ(target.TargetKind, row.kind) << row.paths.join(u',').toStdString();
        EXPECT_EQ(target.Row, row.row) << row.paths.join(u',').toStdString();
    }
}

class ParameterSheet : public MainWindowTest {
protected:
    QLineEdit *Field(CSheetParam &sheet) const { return sheet.findChild<QLineEdit *>(QStringLiteral("TempDir")); }
    bool SettingWritten() const
    {
        return model::AppSettings().File().GetString(QStringLiteral("Allgemein"), QStringLiteral("TempPath"),
                                                     QStringLiteral("<fehlt>"))
            != QStringLiteral("<fehlt>");
    }
};

TEST_F(ParameterSheet, ShowsTheTemporaryDirectoryAndOkWithoutChangeWritesNothing)
{
    CSheetParam sheet(prompts);
    EXPECT_EQ(Field(sheet)->text(), CUtil::GetTempDirectory());
    EXPECT_FALSE(sheet.PageAllgemein().IsChanged());
    sheet.accept();
    EXPECT_FALSE(SettingWritten());
}

TEST_F(ParameterSheet, TypedPathIsStoredOnOkEvenWhenItDoesNotExist)
{
    CSheetParam sheet(prompts);
    const QString missing = temp.filePath(QStringLiteral("gibt-es-nicht"));
    Field(sheet)->setText(missing);
    EXPECT_TRUE(sheet.findChild<QPushButton *>(QStringLiteral("Apply"))->isEnabled());
    sheet.accept();
    EXPECT_EQ(model::AppSettings().TempPath(), missing);
    EXPECT_NE(CUtil::GetTempDirectory(), missing) << "the program falls back to the system's folder";
}

TEST_F(ParameterSheet, CancelDiscardsAndApplyWritesAtOnce)
{
    {
        CSheetParam sheet(prompts);
        Field(sheet)->setText(QStringLiteral("/verworfen"));
        sheet.reject();
    }
    EXPECT_FALSE(SettingWritten());
    CSheetParam sheet(prompts);
    const QString folder = Dir(QStringLiteral("temp-neu"));
    prompts.folder = folder;
    sheet.PageAllgemein().OnBrowse();
    EXPECT_EQ(prompts.folderTitles, QStringList{QStringLiteral("Temporäres Verzeichnis auswählen")});
    EXPECT_EQ(Field(sheet)->text(), folder);
    auto *apply = sheet.findChild<QPushButton *>(QStringLiteral("Apply"));
    ASSERT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(model::AppSettings().TempPath(), folder);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(CUtil::GetTempDirectory(), folder);
}

} // namespace
