#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The security settings that travel from a source directory to a new target directory:
// group, permission bits, access ACL and (for directories) default ACL. The owner is not
// part of it.

namespace platform {

struct SecurityDescriptor {
    bool valid = false;     // set by GetSecurity
    bool isDirectory = false;
    quint32 group = 0;      // gid
    quint32 mode = 0;       // permission bits, 07777 at most
    // ACLs in libacl's external form (acl_copy_ext). The access ACL is empty when it says
    // no more than the permission bits; the default ACL is empty when there is none.
    QByteArray accessAcl;
    QByteArray defaultAcl;

    bool operator==(const SecurityDescriptor &) const = default;
};

// Reads the settings of `path` (following symbolic links). A file system without ACLs
// yields empty ACLs.
bool GetSecurity(const QString &path, SecurityDescriptor *descriptor);

// Applies `descriptor` to `path`: group, then the access ACL (or the plain permission bits
// when the descriptor has none, which also drops extended entries the target had), then the
// permission bits, and for a directory the default ACL (removed when the descriptor has
// none). The set-user-ID bit is never applied, the set-group-ID bit only to directories.
// An invalid descriptor fails with EINVAL. On a file system without ACLs the group and the
// permission bits are still applied; the call then fails with ENOTSUP only when the
// descriptor holds ACL entries that were lost.
bool SetSecurity(const QString &path, const SecurityDescriptor &descriptor);

} // namespace platform
