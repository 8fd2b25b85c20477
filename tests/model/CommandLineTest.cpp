#include "model/CMyCommandLineInfo.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

using model::CMyCommandLineInfo;

TEST(CommandLine, SwitchesAndProjectPath)
{
    struct Row {
        QStringList arguments;
        bool batch;
        QString fileName;
        QString okText;
        QString errorText;
    };
    const Row rows[] = {
        {{}, false, QString(), QString(), QString()},
        {{u"/BATCH"_s}, true, QString(), QString(), QString()},
        {{u"/batch"_s, u"p.zelv"_s}, true, u"p.zelv"_s, QString(), QString()},
        {{u"-Batchbetrieb"_s}, true, QString(), QString(), QString()},
        {{u"-BATCH"_s, u"/home/anna/Sicherung.zelv"_s}, true, u"/home/anna/Sicherung.zelv"_s, QString(), QString()},
        {{u"/home/anna/p.zelv"_s}, false, u"/home/anna/p.zelv"_s, QString(), QString()},
        {{u"/batch/p.zelv"_s}, false, u"/batch/p.zelv"_s, QString(), QString()},
        {{u"/bat"_s}, false, u"/bat"_s, QString(), QString()},
        {{u"erste.zelv"_s, u"zweite.zelv"_s}, false, u"erste.zelv"_s, QString(), QString()},
        {{u"/msg_ok=Sicherung nach /mnt fertig"_s}, false, QString(), u"Sicherung nach /mnt fertig"_s, QString()},
        {{u"-MSG_FEH=3 Fehler"_s}, false, QString(), QString(), u"3 Fehler"_s},
        {{u"/Msg_Ok=a=b"_s, u"/msg_feh=x"_s}, false, QString(), u"a=b"_s, u"x"_s},
    };
    for (const Row &row : rows) {
        const CMyCommandLineInfo info = CMyCommandLineInfo::Parse(row.arguments);
        const std::string where = row.arguments.join(u' ').toStdString();
        EXPECT_EQ(info.Batch, row.batch) << where;
        EXPECT_EQ(info.FileName, row.fileName) << where;
        EXPECT_EQ(info.Command, row.fileName.isEmpty() ? CMyCommandLineInfo::ShellCommand::FileNew
                                                       : CMyCommandLineInfo::ShellCommand::FileOpen)
            << where;
        EXPECT_EQ(info.OkText, row.okText) << where;
        EXPECT_EQ(info.ErrorText, row.errorText) << where;
    }
}

TEST(CommandLine, KeepsEveryPlainArgumentAndUnknownSwitch)
{
    const CMyCommandLineInfo info =
        CMyCommandLineInfo::Parse({u"a.zelv"_s, u"-v"_s, u"/batch"_s, u"b.txt"_s, u"--help"_s, u""_s});
    EXPECT_EQ(info.Plain, (QStringList{u"a.zelv"_s, u"b.txt"_s, u""_s}));
    EXPECT_EQ(info.OtherSwitches, (QStringList{u"v"_s, u"-help"_s}));
    EXPECT_EQ(info.FileName, u"a.zelv"_s);
}

TEST(CommandLine, OkTextWinsOverErrorText)
{
    struct Row {
        QStringList arguments;
        CMyCommandLineInfo::StatusMode mode;
        QString text;
    };
    const Row rows[] = {
        {{u"p.zelv"_s}, CMyCommandLineInfo::StatusMode::None, QString()},
        {{u"/msg_feh=Fehler"_s}, CMyCommandLineInfo::StatusMode::Error, u"Fehler"_s},
        {{u"/msg_feh=Fehler"_s, u"/msg_ok=Gut"_s}, CMyCommandLineInfo::StatusMode::Ok, u"Gut"_s},
        {{u"/msg_ok=Gut"_s, u"/msg_feh=Fehler"_s}, CMyCommandLineInfo::StatusMode::Ok, u"Gut"_s},
        {{u"/msg_ok="_s, u"/msg_feh=Fehler"_s}, CMyCommandLineInfo::StatusMode::Error, u"Fehler"_s},
        {{u"/msg_ok="_s}, CMyCommandLineInfo::StatusMode::None, QString()},
    };
    for (const Row &row : rows) {
        const CMyCommandLineInfo info = CMyCommandLineInfo::Parse(row.arguments);
        EXPECT_EQ(info.GetStatusMode(), row.mode) << row.arguments.join(u' ').toStdString();
        EXPECT_EQ(info.StatusText(), row.text) << row.arguments.join(u' ').toStdString();
    }
}
