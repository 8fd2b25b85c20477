#include "zip/CFileHeader.h"

#include "zip/CZipCodePage.h"
#include "zip/ZipByteOrder.h"
#include "zip/ZipConstants.h"
#include "zip/ZipUnicodePath.h"

CFileHeader::CFileHeader()
    : Signature(ZipConst::CentralHeaderSignature), VersionMadeBy(ZipConst::VersionMadeBy),
      VersionNeeded(ZipConst::VersionNeeded), Flags(0), Method(ZipConst::MethodDeflated), DosTime(0),
      DosDate(0), Crc32(0), CompressedSize(0), UncompressedSize(0), NameLength(0), ExtraLength(0),
      CommentLength(0), DiskNumberStart(0), InternalAttributes(0),
      ExternalAttributes(ZipConst::AttributeArchive), LocalHeaderOffset(0)
{
}

bool CFileHeader::IsDirectory() const
{
    return (ExternalAttributes & ZipConst::AttributeDirectory) != 0;
}

bool CFileHeader::HasDataDescriptor() const
{
    return (Flags & ZipConst::FlagDataDescriptor) != 0;
}

QByteArray CFileHeader::LocalRecord() const
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(ZipConst::LocalHeaderSize) + StoredName.size() + Extra.size());
    ZipBytes::Append32(out, ZipConst::LocalHeaderSignature);
    ZipBytes::Append16(out, VersionNeeded);
    ZipBytes::Append16(out, Flags);
    ZipBytes::Append16(out, Method);
    ZipBytes::Append16(out, DosTime);
    ZipBytes::Append16(out, DosDate);
    ZipBytes::Append32(out, Crc32);
    ZipBytes::Append32(out, CompressedSize);
    ZipBytes::Append32(out, UncompressedSize);
    ZipBytes::Append16(out, static_cast<uint16_t>(StoredName.size()));
    ZipBytes::Append16(out, static_cast<uint16_t>(Extra.size()));
    out.append(StoredName);
    out.append(Extra);
    return out;
}

QByteArray CFileHeader::CentralRecord() const
{
    const QByteArray comment = CZipCodePage::ToAnsi(Comment).left(ZipConst::MaxFieldLength);
    QByteArray out;
    ZipBytes::Append32(out, ZipConst::CentralHeaderSignature);
    ZipBytes::Append16(out, VersionMadeBy);
    ZipBytes::Append16(out, VersionNeeded);
    ZipBytes::Append16(out, Flags);
    ZipBytes::Append16(out, Method);
    ZipBytes::Append16(out, DosTime);
    ZipBytes::Append16(out, DosDate);
    ZipBytes::Append32(out, Crc32);
    ZipBytes::Append32(out, CompressedSize);
    ZipBytes::Append32(out, UncompressedSize);
    ZipBytes::Append16(out, static_cast<uint16_t>(StoredName.size()));
    ZipBytes::Append16(out, static_cast<uint16_t>(Extra.size()));
    ZipBytes::Append16(out, static_cast<uint16_t>(comment.size()));
    ZipBytes::Append16(out, DiskNumberStart);
    ZipBytes::Append16(out, InternalAttributes);
    ZipBytes::Append32(out, ExternalAttributes);
    ZipBytes::Append32(out, LocalHeaderOffset);
    out.append(StoredName);
    out.append(Extra);
    out.append(comment);
    return out;
}

std::optional<CFileHeader> CFileHeader::ParseCentral(const QByteArray &directory, qsizetype &offset)
{
    const qsizetype fixed = static_cast<qsizetype>(ZipConst::CentralHeaderSize);
    if (offset + fixed > directory.size() || ZipBytes::Get32(directory, offset) != ZipConst::CentralHeaderSignature)
        return std::nullopt;
    const auto field16 = [&](int at) { return ZipBytes::Get16(directory, offset + at); };
    const auto field32 = [&](int at) { return ZipBytes::Get32(directory, offset + at); };
    CFileHeader h;
    h.Signature = field32(0);
    h.VersionMadeBy = field16(4);
    h.VersionNeeded = field16(6);
    h.Flags = field16(8);
    h.Method = field16(10);
    h.DosTime = field16(12);
    h.DosDate = field16(14);
    h.Crc32 = field32(16);
    h.CompressedSize = field32(20);
    h.UncompressedSize = field32(24);
    h.NameLength = field16(28);
    h.ExtraLength = field16(30);
    h.CommentLength = field16(32);
    h.DiskNumberStart = field16(34);
    h.InternalAttributes = field16(36);
    h.ExternalAttributes = field32(38);
    h.LocalHeaderOffset = field32(42);
    const qsizetype variable = qsizetype(h.NameLength) + h.ExtraLength + h.CommentLength;
    if (offset + fixed + variable > directory.size())
        return std::nullopt;
    qsizetype at = offset + fixed;
    h.StoredName = directory.mid(at, h.NameLength);
    h.Extra = directory.mid(at += h.NameLength, h.ExtraLength);
    h.Comment = CZipCodePage::FromAnsi(directory.mid(at += h.ExtraLength, h.CommentLength));
    h.Name = ZipUnicodePath::Find(h.Extra, h.StoredName).value_or(CZipCodePage::FromOem(h.StoredName));
    offset += fixed + variable;
    return h;
}
