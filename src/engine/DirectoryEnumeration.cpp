#include "engine/DirectoryEnumeration.h"

#include "platform/DirectoryListing.h"
#include "platform/DirectoryReadAhead.h"
#include "platform/LastError.h"

#include <utility>

namespace {

constexpr int kSkipLinkedDirectory = 5100;
constexpr int kSkipBrokenLink = 5101;
constexpr int kSkipSpecialFile = 5102;

QString WithoutTrailingSlashes(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString ChildPath(const QString &directory, const QString &name)
{
    return directory.endsWith(u'/') ? directory + name : directory + u'/' + name;
}

EntryKind KindOf(platform::FileType type)
{
    switch (type) {
    case platform::FileType::Regular:
        return EntryKind::File;
    case platform::FileType::Directory:
        return EntryKind::Directory;
    default:
        return EntryKind::Special;
    }
}

EntryKind KindOfLinkTarget(platform::FileType type)
{
    const EntryKind kind = KindOf(type);
    return kind == EntryKind::Directory ? EntryKind::LinkedDirectory : kind;
}

// Links are examined once more with stat, which only reads metadata: nothing is opened.
DirEntry Classify(const QString &directory, const platform::DirectoryEntry &listed)
{
    DirEntry entry;
    entry.Name = listed.name;
    entry.Info = listed.info;
    if (listed.info.type != platform::FileType::Symlink) {
        entry.Kind = KindOf(listed.info.type);
        return entry;
    }
    entry.Link = LinkState::ThroughLink;
    platform::FileInfo target;
    if (!platform::GetFileInfo(ChildPath(directory, listed.name), platform::LinkMode::Follow, &target)) {
        entry.Kind = EntryKind::BrokenLink;
        return entry;
    }
    entry.Info = target;
    entry.Kind = KindOfLinkTarget(target.type);
    return entry;
}

bool IsDirectoryLike(EntryKind kind)
{
    return kind == EntryKind::Directory || kind == EntryKind::LinkedDirectory;
}

class TreeWalk {
public:
    explicit TreeWalk(const EnumerationRequest &request)
        : m_request(request)
        , m_reader(request.Archive)
    {
    }

    void List(const QString &directory)
    {
        CDirStruct *record = NewRecord(directory);
        QList<platform::DirectoryEntry> listed;
        if (!m_reader.Take(directory, &listed)) {
            if (record)
                record->ListError = platform::LastError();
            return;
        }
        QList<DirEntry> entries;
        entries.reserve(listed.size());
        for (const platform::DirectoryEntry &item : std::as_const(listed))
            entries.append(Classify(directory, item));
        if (m_request.Recurse == Recursion::WithSubdirectories)
            m_reader.Announce(SubdirectoriesToEnter(directory, entries));
        if (m_request.Listed)
            m_request.Listed(directory, entries);
        for (const DirEntry &entry : std::as_const(entries)) {
            if (!Visit(directory, entry, record))
                return;
        }
    }

private:
    // The subdirectories the walk will enter, in the order it meets them; links are never
    // entered.
    QStringList SubdirectoriesToEnter(const QString &directory, const QList<DirEntry> &entries) const
    {
        QStringList subdirectories;
        for (const DirEntry &entry : entries) {
            if (entry.Kind == EntryKind::Directory && (!m_request.MayEnter || m_request.MayEnter(directory, entry)))
                subdirectories.append(ChildPath(directory, entry.Name));
        }
        return subdirectories;
    }

    CDirStruct *NewRecord(const QString &directory)
    {
        if (!m_request.Records)
            return nullptr;
        m_request.Records->push_back(std::make_unique<CDirStruct>(directory));
        return m_request.Records->back().get();
    }

    // False when the listing of `directory` ends here.
    bool Visit(const QString &directory, const DirEntry &entry, CDirStruct *record)
    {
        if (IsDirectoryLike(entry.Kind) && m_request.Recurse == Recursion::TopLevelOnly)
            return true;
        if (entry.Kind == EntryKind::Directory) {
            const QString child = ChildPath(directory, entry.Name);
            if (!m_request.Callback || Ask(directory, entry, record) == 0)
                List(child);
            else
                m_reader.Withdraw(child);
            return true;
        }
        if (m_request.Callback)
            return Ask(directory, entry, record) == 0;
        if (record && entry.Kind == EntryKind::File)
            record->AddFile(entry.Name, entry.Info.size, entry.Info.lastWriteTime, 0, QString());
        return true;
    }

    int Ask(const QString &directory, const DirEntry &entry, CDirStruct *record)
    {
        return m_request.Callback(directory, entry, m_request.UserData, record);
    }

    const EnumerationRequest &m_request;
    platform::DirectoryReadAhead m_reader;
};

} // namespace

void EnumerateDirectory(const QString &directory, const EnumerationRequest &request)
{
    TreeWalk(request).List(WithoutTrailingSlashes(directory));
}

int SkipReasonId(EntryKind kind)
{
    switch (kind) {
    case EntryKind::LinkedDirectory:
        return kSkipLinkedDirectory;
    case EntryKind::BrokenLink:
        return kSkipBrokenLink;
    case EntryKind::Special:
        return kSkipSpecialFile;
    default:
        return 0;
    }
}
