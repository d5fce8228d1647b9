#include "FileVersion.h"

#include <QCoreApplication>
#include <QFile>
#include <cstring>

#ifdef Q_OS_WIN
#include <vector>
#include <windows.h>
#else
#include <elf.h>
#endif

QString FileVersion::text() const {
    return QString::asprintf(
        "%d.%d.%d.%d", static_cast<int>(mostSignificant >> 16), static_cast<int>(mostSignificant & 0xFFFFu),
        static_cast<int>(leastSignificant >> 16), static_cast<int>(leastSignificant & 0xFFFFu));
}

QString ownFileVersionText() {
    return readFileVersion(QCoreApplication::applicationFilePath()).text();
}

#ifdef Q_OS_WIN

namespace {

[[noreturn]] void raiseLastError() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message =
        text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("System error %1").arg(code);
    LocalFree(text);
    throw FileVersionError(message);
}

} // namespace

FileVersion readFileVersion(const QString& executablePath) {
    const std::wstring path = executablePath.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) {
        raiseLastError();
    }
    std::vector<unsigned char> buffer(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, buffer.data())) {
        raiseLastError();
    }
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &length)) {
        raiseLastError();
    }
    return FileVersion{info->dwFileVersionMS, info->dwFileVersionLS};
}

#else

namespace {

// The layout the build writes into the section (cmake/FileVersionRecord.cpp.in).
constexpr char RecordSection[] = ".veloria_version";
constexpr char RecordSignature[8] = {'V', 'L', 'R', 'F', 'V', 'E', 'R', '1'};
constexpr qint64 RecordSize = 16;

class ElfFile {
public:
    explicit ElfFile(const QString& path) : file_(path), path_(path) {
        if (!file_.open(QIODevice::ReadOnly)) {
            throw FileVersionError(QStringLiteral("Cannot open '%1': %2").arg(path, file_.errorString()));
        }
    }

    // Reads `size` bytes at `offset`; a short read means the file is cut off or not what it claims.
    QByteArray read(quint64 offset, quint64 size) {
        if (offset > static_cast<quint64>(file_.size()) ||
            size > static_cast<quint64>(file_.size()) - offset) {
            fail(QStringLiteral("the file is truncated"));
        }
        file_.seek(static_cast<qint64>(offset));
        QByteArray bytes = file_.read(static_cast<qint64>(size));
        if (bytes.size() != static_cast<qsizetype>(size)) {
            fail(file_.errorString());
        }
        return bytes;
    }

    // Up to `size` bytes from the start; fewer when the file is shorter.
    QByteArray head(qint64 size) {
        file_.seek(0);
        return file_.read(size);
    }

    [[noreturn]] void fail(const QString& reason) const {
        throw FileVersionError(QStringLiteral("Cannot read the file version of '%1': %2").arg(path_, reason));
    }

private:
    QFile file_;
    QString path_;
};

template <typename T> T copyOut(const QByteArray& bytes, qsizetype offset = 0) {
    T value;
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return value;
}

} // namespace

FileVersion readFileVersion(const QString& executablePath) {
    ElfFile file(executablePath);
    const QByteArray identity = file.head(EI_NIDENT);
    if (identity.size() < EI_NIDENT || std::memcmp(identity.constData(), ELFMAG, SELFMAG) != 0) {
        file.fail(QStringLiteral("it is not an executable file"));
    }
    if (identity[EI_CLASS] != ELFCLASS64) {
        file.fail(QStringLiteral("only 64-bit executables are supported"));
    }
    const auto header = copyOut<Elf64_Ehdr>(file.read(0, sizeof(Elf64_Ehdr)));
    if (header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum) {
        file.fail(QStringLiteral("it has no readable section table"));
    }
    const QByteArray table = file.read(header.e_shoff, quint64{header.e_shnum} * sizeof(Elf64_Shdr));
    const auto section = [&](int index) {
        return copyOut<Elf64_Shdr>(table, static_cast<qsizetype>(index) * qsizetype{sizeof(Elf64_Shdr)});
    };
    const Elf64_Shdr namesHeader = section(header.e_shstrndx);
    const QByteArray names = file.read(namesHeader.sh_offset, namesHeader.sh_size);
    for (int i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr candidate = section(i);
        if (candidate.sh_name >= static_cast<quint64>(names.size()) || candidate.sh_type == SHT_NOBITS) {
            continue;
        }
        const char* name = names.constData() + candidate.sh_name;
        if (qstrnlen(name, static_cast<uint>(names.size() - candidate.sh_name)) !=
                sizeof(RecordSection) - 1 ||
            std::memcmp(name, RecordSection, sizeof(RecordSection) - 1) != 0 ||
            candidate.sh_size < RecordSize) {
            continue;
        }
        const QByteArray record = file.read(candidate.sh_offset, RecordSize);
        if (std::memcmp(record.constData(), RecordSignature, sizeof(RecordSignature)) != 0) {
            file.fail(QStringLiteral("its version record is damaged"));
        }
        return FileVersion{copyOut<std::uint32_t>(record, 8), copyOut<std::uint32_t>(record, 12)};
    }
    file.fail(QStringLiteral("the file carries no version record"));
}

#endif
