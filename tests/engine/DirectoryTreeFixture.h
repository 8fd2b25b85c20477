#pragma once

#include "platform/FaultInjection.h"
#include "platform/FileName.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// Small trees for the directory-tree tests, made with the system calls themselves so that
// the code under test is not also the code that builds its fixture.
namespace treefixture {

inline QByteArray Bytes(const QString &path)
{
    return platform::EncodeFileName(path);
}

inline bool MakeDir(const QByteArray &path, mode_t mode = 0755)
{
    return mkdir(path.constData(), mode) == 0;
}

inline bool MakeFile(const QByteArray &path, const QByteArray &content)
{
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written = write(fd, content.constData(), size_t(content.size())) == content.size();
    return close(fd) == 0 && written;
}

inline bool MakeLink(const QByteArray &target, const QByteArray &path)
{
    return symlink(target.constData(), path.constData()) == 0;
}

inline bool MakeFifo(const QByteArray &path)
{
    return mkfifo(path.constData(), 0644) == 0;
}

// A bound Unix socket leaves a socket file behind; the descriptor is closed again.
inline bool MakeSocket(const QByteArray &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path)
        return false;
    memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

inline bool IsDir(const QByteArray &path)
{
    struct stat st{};
    return lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

inline bool Exists(const QByteArray &path)
{
    struct stat st{};
    return lstat(path.constData(), &st) == 0;
}

inline mode_t ModeOf(const QByteArray &path)
{
    struct stat st{};
    return stat(path.constData(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
}

// Sets an ACL given in its text form; false where the file system keeps no ACLs.
inline bool SetAclText(const QByteArray &path, const char *text, acl_type_t type)
{
    acl_t acl = acl_from_text(text);
    if (!acl)
        return false;
    const bool set = acl_set_file(path.constData(), type, acl) == 0;
    acl_free(acl);
    return set;
}

// Removes a tree with the system calls, since Qt's removal cannot reach names that are not
// UTF-8 and gives up on directories without write permission.
inline void RemoveTree(const QByteArray &path)
{
    struct stat st{};
    if (lstat(path.constData(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        unlink(path.constData());
        return;
    }
    chmod(path.constData(), 0700);
    if (DIR *dir = opendir(path.constData())) {
        while (const dirent *entry = readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                RemoveTree(path + '/' + name);
        }
        closedir(dir);
    }
    rmdir(path.constData());
}

// A temporary root with a short path (sockets need one) and the fault seam disarmed after
// every test.
class TreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path();
    }
    void TearDown() override
    {
        platform::fault::Disarm();
        RemoveTree(Bytes(m_root));
    }

    QString Path(const QString &relative) const { return m_root + u'/' + relative; }
    QByteArray PathBytes(const QString &relative) const { return Bytes(Path(relative)); }

    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace treefixture
