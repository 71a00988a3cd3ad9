// SPDX-License-Identifier: MIT
#include "SoundModule.h"

#include "SoundLog.h"
#include "platform/QtFiles.h"
#include "platform/RegularFile.h"
#include "platform/SoundServerProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <link.h>
#include <vector>

namespace {
// Loading begins at the first paint, or after this long when nothing paints; on a busy machine
// the first paint itself can take a second.
constexpr int LoadAtTheLatestMs = 3000;

constexpr char InterfaceVersion[] = PLINKARD_SOUND_INTERFACE;
constexpr char InterfaceSymbol[] = "plinkard_sound_interface";

QString besideProgram() { return QtFiles().programFolder() + QStringLiteral("/libplinkard_soundmodule.so"); }

// Bytes at an offset of the file, all of them or none.
QByteArray readAt(QFile &file, quint64 offset, quint64 size) {
    const auto length = quint64(file.size());
    if (size == 0 || offset > length || size > length - offset || !file.seek(qint64(offset))) {
        return {};
    }
    QByteArray bytes = file.read(qint64(size));
    return quint64(bytes.size()) == size ? bytes : QByteArray();
}

// No table of ours holds more records: the module has a few hundred symbols. A file that claims more
// (a sparse one of a gigabyte) is refused before anything of that size is read.
constexpr quint64 MaxRecords = 1U << 16;

// A table of ELF records (headers, symbols), empty when any of it lies outside the file or it is longer
// than any of ours.
template <typename T> std::vector<T> readTable(QFile &file, quint64 offset, quint64 count, quint64 entrySize) {
    const QByteArray bytes =
        entrySize == sizeof(T) && count <= MaxRecords ? readAt(file, offset, count * sizeof(T)) : QByteArray();
    std::vector<T> table(std::size_t(bytes.size()) / sizeof(T));
    std::memcpy(table.data(), bytes.constData(), table.size() * sizeof(T));
    return table;
}

// The program's own ELF header, which the linker places at the start of its first segment.
extern "C" const ElfW(Ehdr) __ehdr_start; // NOLINT(bugprone-reserved-identifier)

// A module is mapped only when the dynamic linker can map it whole, and only when it is ours. The
// dynamic linker maps every segment the program headers name; one that runs past the end of a
// truncated file kills the game with SIGBUS at its first touch. The interface version comes from
// the module's dynamic symbol table, which every strip keeps: what strip, a distribution's rebuild or
// another compiler change is all outside it, so such a module still loads; one of another program,
// machine or version of the game is refused before its code can run. Null when it may be mapped,
// else why not.
const char *refusal(QFile &file) {
    const auto header = readTable<ElfW(Ehdr)>(file, 0, 1, sizeof(ElfW(Ehdr)));
    if (header.empty() || std::memcmp(header[0].e_ident, __ehdr_start.e_ident, EI_OSABI) != 0 ||
        header[0].e_type != ET_DYN || header[0].e_machine != __ehdr_start.e_machine) {
        return "not an ELF shared library for this machine";
    }
    const auto segments = readTable<ElfW(Phdr)>(file, header[0].e_phoff, header[0].e_phnum, header[0].e_phentsize);
    const auto size = quint64(file.size());
    if (segments.empty() || std::any_of(segments.begin(), segments.end(), [size](const ElfW(Phdr) & s) {
            return s.p_offset > size || s.p_filesz > size - s.p_offset;
        })) {
        return "truncated: a segment reaches past the end of the file";
    }
    const auto sections = readTable<ElfW(Shdr)>(file, header[0].e_shoff, header[0].e_shnum, header[0].e_shentsize);
    const auto dynsym =
        std::find_if(sections.begin(), sections.end(), [&](const ElfW(Shdr) & s) { return s.sh_type == SHT_DYNSYM; });
    if (dynsym == sections.end() || dynsym->sh_link >= sections.size()) {
        return "no dynamic symbol table (truncated, or not a module)";
    }
    // Each symbol's name is read on its own, as many bytes as the one looked for: the string table's
    // size is whatever the file claims.
    const ElfW(Shdr) &names = sections[dynsym->sh_link];
    const QByteArray wanted(InterfaceSymbol, sizeof InterfaceSymbol),
        version(InterfaceVersion, sizeof InterfaceVersion);
    for (const auto &symbol :
         readTable<ElfW(Sym)>(file, dynsym->sh_offset, dynsym->sh_size / sizeof(ElfW(Sym)), dynsym->sh_entsize)) {
        if (symbol.st_name >= names.sh_size || names.sh_size - symbol.st_name < quint64(wanted.size()) ||
            readAt(file, names.sh_offset + symbol.st_name, quint64(wanted.size())) != wanted) {
            continue;
        }
        // Its bytes, where the segment that holds them maps them from.
        for (const auto &s : segments) {
            if (s.p_type == PT_LOAD && symbol.st_value >= s.p_vaddr &&
                symbol.st_value - s.p_vaddr + quint64(version.size()) <= s.p_filesz) {
                return readAt(file, s.p_offset + (symbol.st_value - s.p_vaddr), quint64(version.size())) == version
                           ? nullptr
                           : "built for another version of the game (its fingerprint differs)";
            }
        }
    }
    return "no fingerprint of the game's sound interface in it";
}
} // namespace

SoundModule::SoundModule(const QString &module) : m_library(module.isEmpty() ? besideProgram() : module) {
    // Bound in full on the loader thread rather than call by call on the threads that use it.
    m_library.setLoadHints(QLibrary::ResolveAllSymbolsHint | QLibrary::PreventUnloadHint);
    // Mapping the module's libraries competes with the first paint for the processor and for the
    // dynamic linker, so it waits for that paint.
    m_waitingForPaint = true;
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(LoadAtTheLatestMs, this, &SoundModule::startLoading);
}

SoundModule::~SoundModule() {
    m_sound.reset(); // before the library: its code runs the destructor
}

int SoundModule::outputDeviceCount() { return soundServerCount(); }

void SoundModule::openSequencer(const QString &file, const QString &alias) {
    if (m_sound) {
        m_sound->openSequencer(file, alias);
    } else if (m_alias.isEmpty() && !alias.isEmpty()) {
        m_alias = alias;
        m_file = file;
        m_playing = false;
    }
}

void SoundModule::playFromStart(const QString &alias) {
    if (m_sound) {
        m_sound->playFromStart(alias);
    } else if (!m_alias.isEmpty() && alias == m_alias) {
        m_playing = true;
    }
}

void SoundModule::close(const QString &alias) {
    if (m_sound) {
        m_sound->close(alias);
    } else if (!m_alias.isEmpty() && alias == m_alias) {
        m_alias.clear();
        m_file.clear();
        m_playing = false;
    }
}

void SoundModule::playWave(const QString &file) {
    loadNow();
    if (m_sound) {
        m_sound->playWave(file);
    }
}

bool SoundModule::shutDown() { return m_sound == nullptr || m_sound->shutDown(); }

bool SoundModule::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint && m_waitingForPaint) {
        // Behind whatever else the paint has posted, such as the flush of the window.
        QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
    }
    return QObject::eventFilter(watched, event);
}

void SoundModule::customEvent(QEvent *event) {
    if (event->type() == QEvent::User) {
        startLoading();
    }
}

void SoundModule::startLoading() {
    if (m_waitingForPaint) {
        m_waitingForPaint = false;
        QCoreApplication::instance()->removeEventFilter(this);
    }
    // The dynamic linker maps and relocates some hundred libraries; the window goes on meanwhile.
    // The module is checked here too: reading its headers and symbols takes well under a millisecond.
    m_loader.start(
        this,
        [this, path = m_library.fileName()] {
            // Loaded through the descriptor that was checked: the file cannot change in between, and a
            // folder name that is not UTF-8 reaches the dynamic linker whole.
            QFile module;
            if (!openRegularFile(module, path)) {
                return QStringLiteral("%1 cannot be opened (missing, or not a regular file)").arg(path);
            }
            if (const char *why = refusal(module)) {
                return QStringLiteral("%1 is refused: %2").arg(path, QLatin1String(why));
            }
            m_library.setFileName(QStringLiteral("/proc/self/fd/%1").arg(module.handle()));
            return m_library.load() ? QString() : QStringLiteral("%1: %2").arg(path, m_library.errorString());
        },
        [this](const QString &refused) { takeModule(refused); });
}

void SoundModule::loadNow() {
    if (!m_loader.started()) {
        startLoading();
    }
    m_loader.finish();
}

void SoundModule::takeModule(const QString &refused) {
    if (!m_library.isLoaded()) {
        // Missing or refused: silence (resolve() would load it here, unchecked).
        qCInfo(lcSound, "No music and no shots: the sound module %s", qUtf8Printable(refused));
        return;
    }
    // The version mapped is the one that counts, checked before any code of the module runs.
    const auto *version = reinterpret_cast<const char *>(m_library.resolve(InterfaceSymbol));
    using Create = SoundSystem *(*)();
    const auto create = version != nullptr && std::strcmp(version, InterfaceVersion) == 0
                            ? reinterpret_cast<Create>(m_library.resolve("plinkard_create_sound_system"))
                            : nullptr;
    if (create == nullptr) {
        qCInfo(lcSound, "No music and no shots: the sound module mapped is of another version of the game");
        return;
    }
    m_sound.reset(create());
    if (!m_alias.isEmpty()) {
        m_sound->openSequencer(m_file, m_alias);
        if (m_playing) {
            m_sound->playFromStart(m_alias);
        }
    }
}
