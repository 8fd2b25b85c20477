// Renders the run window during a real run to PNG files, for looking at it without a display:
//   progress_render <output directory>
// writes run-window-1.png (one thread) and run-window-3.png (three threads).

#include "progress/CDlgSichProgress.h"
#include "progress/CFortschrittCtrl.h"
#include "progress/CStaticFortschrittControls.h"
#include "progress/CTaskbarProgress.h"
#include "progress/IProgressHost.h"
#include "progress/SoundPlayer.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr qint64 kLargeFileBytes = 400ll * 1024 * 1024;

class QuietHost : public IProgressHost {
public:
    bool IsMainWindowMinimized() const override { return false; }
    void MinimizeMainWindow() override {}
    void RestoreMainWindow() override {}
    void SetMinimizedTitle(const QString &) override {}
    void ShowJobStatus(int, const QString &) override {}
    void EnableView() override {}
    void ClearDocumentModified() override {}
    void CloseMainWindow() override {}
};

class Silence : public ISoundPlayer {
public:
    void Play(RunSound) override {}
};

class NoTaskbar : public ITaskbarProgress {
public:
    void Show(const RunProgress &) override {}
};

bool writeFile(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1024 * 1024, '\0');
    for (qint64 written = 0; written < size; written += block.size()) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
        const qint64 part = std::min<qint64>(block.size(), size - written);
        if (file.write(block.constData(), part) != part)
            return false;
    }
    return true;
}

// A job with a few small files and one large file deep in the tree, so that the pane shows a
// long path while the large file is copied.
bool addJob(CViewData &params, const QString &root, int number)
{
    const QString source = root + QStringLiteral("/Quelle%1/Dokumente/Projekte/Jahresabschluss 2024/Anhänge").arg(number);
    const QString target = root + QStringLiteral("/Sicherung%1").arg(number);
    if (!QDir().mkpath(source) || !QDir().mkpath(target))
        return false;
    for (int i = 0; i < 5; ++i) {
        if (!writeFile(source + QStringLiteral("/Notiz-%1.txt").arg(i), 4096))
            return false;
    }
    if (!writeFile(source + QStringLiteral("/Bilanz mit allen Belegen und Anlagen %1.pdf").arg(number), kLargeFileBytes))
        return false;
    auto job = std::make_unique<CListData>();
    job->SourceDir = root + QStringLiteral("/Quelle%1").arg(number);
    job->TargetDir = target;
    params.Jobs.push_back(std::move(job));
    return true;
}

bool paneIsCopying(const CFortschrittCtrl &pane)
{
    return pane.Cell(PaneChild::ActionLine).Text() == LoadStr(203) && pane.Bar2().value() > 0
        && pane.Bar2().value() < 100;
}

bool render(int threads, const QString &outputPath)
{
    QTemporaryDir tree;
    QuietHost host;
    CDlgSichProgress dialog(host);
    dialog.SetSoundPlayer(std::make_unique<Silence>());
    dialog.SetTaskbar(std::make_unique<NoTaskbar>());
    dialog.SetQuestion([](QWidget *, const QString &) { return Answer::Yes; });
    dialog.Params().ThreadCount = threads;
    for (int i = 0; i < threads; ++i) {
        if (!addJob(dialog.Params(), tree.path(), i))
            return false;
    }
    dialog.Create();
    const bool copying = QTest::qWaitFor([&] {
        const auto &panes = dialog.Controls().Panes;
        return std::all_of(panes.begin(), panes.end(), [](const CFortschrittCtrl *p) { return paneIsCopying(*p); });
    }, 120000);
    if (!copying)
        std::fprintf(stderr, "the panes never all showed a copy in progress; rendering anyway\n");
    const bool saved = dialog.grab().save(outputPath);
    dialog.Cancel();
    while (dialog.IsRunThreadAlive())
        QTest::qWait(50);
    dialog.Cancel();
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    for (const int threads : {1, 3}) {
        const QString path = output + QStringLiteral("/run-window-%1.png").arg(threads);
        if (!render(threads, path)) {
            std::fprintf(stderr, "rendering with %d threads failed\n", threads);
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
