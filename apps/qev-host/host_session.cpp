#include "host_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using ovanto::abi::readExtended;
using ovanto::abi::writeExtended;

constexpr int kMaxBlocks = 100;

QString numberText(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

std::string blockMarker(int k) { return "BLOCK " + std::to_string(k); }

// Never stays in a file: see writeSystem.
constexpr const char* kSectionProbe = "END OF BLOCKS";

// Saving replaces the file a symbolic link names, so the link stays a link.
QString linkTarget(const QString& path) {
    QString resolved = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(resolved);
        if (!info.isSymLink())
            break;
        resolved = info.symLinkTarget();
    }
    return resolved;
}

bool parsePositive(const QString& text, double& out, bool allowZero) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || (!allowZero && v == 0))
        return false;
    out = v;
    return true;
}

} // namespace

int HostSession::addBlock() {
    auto b = std::make_unique<HostBlock>();
    ovanto::abi::writeHostWindow(b->record.data(), m_hostWindow);
    m_lib.InitUserDLL(b->record.data());
    refreshNames(*b);
    m_blocks.push_back(std::move(b));
    return blockCount() - 1;
}

void HostSession::disposeAll() {
    end();
    for (auto& b : m_blocks)
        m_lib.DisposeUserDLL(b->record.data());
    m_blocks.clear();
}

void HostSession::refreshNames(HostBlock& b) {
    std::vector<unsigned char> names(ovanto::abi::kIoNameRecordSize, 0);
    m_lib.GetNumberOfInputsOutputs2(names.data(), 0, ovanto::abi::readWindowSlot(b.record.data()), 0);
    b.inputCount = std::min<int>(names[0], HostBlock::kSignals);
    b.outputCount = std::min<int>(names[1], HostBlock::kSignals);
    const auto nameAt = [&](std::size_t offset) {
        const char* p = reinterpret_cast<const char*>(names.data() + offset);
        return QString::fromLatin1(p, static_cast<qsizetype>(strnlen(p, ovanto::abi::kIoNameSlot)));
    };
    b.inputNames.clear();
    b.outputNames.clear();
    for (int k = 0; k < b.inputCount; ++k)
        b.inputNames << nameAt(ovanto::abi::kInputNamesOffset + ovanto::abi::kIoNameSlot * static_cast<std::size_t>(k));
    for (int k = 0; k < b.outputCount; ++k)
        b.outputNames << nameAt(ovanto::abi::kOutputNamesOffset + ovanto::abi::kIoNameSlot * static_cast<std::size_t>(k));
}

bool HostSession::readSystem(const QString& path, QString* error) {
    const auto fail = [&](const QString& what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, what);
        return false;
    };
    disposeAll();
    m_readWarnings.clear();
    m_uncleanFile = QFileInfo(path).canonicalFilePath();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("cannot open"));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    std::string line;
    if (!readLine(fd, line) || line != kSystemMagic)
        return fail(QStringLiteral("not a system file (first line is not \"%1\")").arg(kSystemMagic));
    SystemSettings s;
    for (int lineNo = 2;; ++lineNo) {
        if (!readLine(fd, line))
            return fail(QStringLiteral("ends before the \"Blocks=\" line"));
        const QString text = QString::fromLatin1(line);
        const qsizetype eq = text.indexOf('=');
        const QString key = text.left(eq).trimmed();
        const QString value = eq < 0 ? QString() : text.mid(eq + 1).trimmed();
        bool ok = true;
        if (key == QLatin1String("StepSize"))
            ok = parsePositive(value, s.stepSize, false);
        else if (key == QLatin1String("EndTime"))
            ok = parsePositive(value, s.endTime, true);
        else if (key == QLatin1String("Inputs"))
            ok = (s.csvInputs = value == QLatin1String("csv")) || value == QLatin1String("plant");
        else if (key == QLatin1String("Csv"))
            s.csvPath = value;
        else if (key == QLatin1String("Interpolation"))
            ok = (s.sampleHold = value == QLatin1String("hold")) || value == QLatin1String("linear");
        else if (key == QLatin1String("Control"))
            ok = (s.blockControls = value == QLatin1String("block")) || value == QLatin1String("auto");
        else if (key == QLatin1String("Blocks")) {
            s.blockCount = value.toInt(&ok);
            ok = ok && s.blockCount >= 0 && s.blockCount <= kMaxBlocks;
            if (!ok)
                return fail(QStringLiteral("line %1: bad block count").arg(lineNo));
            break;
        }
        // Unknown keys are left for newer hosts.
        if (!ok)
            return fail(QStringLiteral("line %1: bad value for %2").arg(lineNo).arg(key));
    }
    m_settings = s;
    m_systemDir = QFileInfo(path).absolutePath();
    if (s.blockCount > 0 && (!readLine(fd, line) || line != blockMarker(1)))
        return fail(QStringLiteral("block 1: marker line missing"));
    for (int k = 1; k <= s.blockCount; ++k) {
        const int index = addBlock();
        HostBlock& b = *m_blocks[static_cast<std::size_t>(index)];
        m_lib.ReadFromFile(fd, b.record.data());
        refreshNames(b);
        // The library cannot say how its reading went; where it left the file can.
        const off_t stop = ::lseek(fd, 0, SEEK_CUR);
        off_t end = stop;
        if (k < s.blockCount) {
            bool found = false;
            for (off_t at = stop; !found && readLine(fd, line); at = ::lseek(fd, 0, SEEK_CUR)) {
                found = line == blockMarker(k + 1);
                end = at;
            }
            if (!found)
                return fail(QStringLiteral("block %1: marker line missing (the previous section may be damaged)")
                                .arg(k + 1));
        } else {
            end = ::lseek(fd, 0, SEEK_END);
        }
        if (end != stop)
            m_readWarnings << QStringLiteral("%1: block %2: its section did not read cleanly (the block library "
                                             "stopped at byte %3, %4 bytes before the section's end); saving over "
                                             "this file needs --force")
                                  .arg(path)
                                  .arg(k)
                                  .arg(stop)
                                  .arg(end - stop);
    }
    if (m_readWarnings.isEmpty())
        m_uncleanFile.clear();
    return true;
}

bool HostSession::writeSystem(const QString& path, QString* error) {
    const QString target = linkTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    const QString temp = target + QStringLiteral(".tmp");
    const QByteArray tempName = QFile::encodeName(temp);
    const bool overUnclean = !m_uncleanFile.isEmpty() && QFileInfo(target).canonicalFilePath() == m_uncleanFile;
    if (overUnclean && !m_force) {
        if (error)
            *error = QStringLiteral("%1: not saved: the file did not read cleanly, saving would lose what was not "
                                    "read; --force saves over it and keeps the old file as %1.bak")
                         .arg(target);
        return false;
    }
    int fd = -1;
    const auto fail = [&](const QString& what) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tempName.constData());
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, what);
        return false;
    };
    fd = ::open(tempName.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(QStringLiteral("cannot write %1: %2").arg(temp, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat old {};
    if (::stat(targetName.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    const SystemSettings& s = m_settings;
    const QStringList own = {
        QString::fromLatin1(kSystemMagic),
        QStringLiteral("StepSize=") + numberText(s.stepSize),
        QStringLiteral("EndTime=") + numberText(s.endTime),
        QStringLiteral("Inputs=") + (s.csvInputs ? QStringLiteral("csv") : QStringLiteral("plant")),
        QStringLiteral("Csv=") + s.csvPath,
        QStringLiteral("Interpolation=") + (s.sampleHold ? QStringLiteral("hold") : QStringLiteral("linear")),
        QStringLiteral("Control=") + (s.blockControls ? QStringLiteral("block") : QStringLiteral("auto")),
        QStringLiteral("Blocks=") + QString::number(blockCount()),
    };
    bool ok = true;
    for (const QString& l : own)
        ok = ok && writeLine(fd, l.toLatin1().toStdString());
    std::vector<std::pair<off_t, off_t>> sections;
    for (int k = 0; ok && k < blockCount(); ++k) {
        ok = writeLine(fd, blockMarker(k + 1));
        const off_t begin = ::lseek(fd, 0, SEEK_CUR);
        if (ok)
            m_lib.WriteToFile(fd, m_blocks[static_cast<std::size_t>(k)]->record.data());
        sections.emplace_back(begin, ::lseek(fd, 0, SEEK_CUR));
    }
    // A reader that ran into the end of the file would seem to stop in the
    // right place; with a line after the last section it cannot. A full disk
    // refuses that line too. It goes again before the file is used.
    const off_t length = ::lseek(fd, 0, SEEK_CUR);
    ok = ok && writeLine(fd, kSectionProbe) && ::fsync(fd) == 0;
    if (!ok)
        return fail(QStringLiteral("write failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    QString what;
    if (!verifySections(fd, sections, what))
        return fail(what);
    if (::ftruncate(fd, length) != 0 || ::fsync(fd) != 0)
        return fail(QStringLiteral("write failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return fail(QStringLiteral("write failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    if (overUnclean) {
        const QString backup = target + QStringLiteral(".bak");
        const QByteArray backupName = QFile::encodeName(backup);
        ::unlink(backupName.constData());
        if (::link(targetName.constData(), backupName.constData()) != 0 && !QFile::copy(target, backup))
            return fail(QStringLiteral("cannot keep the old file as %1").arg(backup));
    }
    if (::rename(tempName.constData(), targetName.constData()) != 0)
        return fail(QStringLiteral("cannot replace the file: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    if (overUnclean)
        m_uncleanFile.clear();
    return true;
}

// Each section is read into a scratch instance of the library; it must end
// exactly where the next line of the host begins.
bool HostSession::verifySections(int fd, const std::vector<std::pair<off_t, off_t>>& sections, QString& what) {
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const auto [begin, end] = sections[k];
        if (end == begin) {
            what = QStringLiteral("block %1: the block library wrote nothing (is the disk full?)").arg(k + 1);
            return false;
        }
        HostBlock scratch;
        ovanto::abi::writeHostWindow(scratch.record.data(), m_hostWindow);
        m_lib.InitUserDLL(scratch.record.data());
        ::lseek(fd, begin, SEEK_SET);
        m_lib.ReadFromFile(fd, scratch.record.data());
        const off_t stop = ::lseek(fd, 0, SEEK_CUR);
        m_lib.DisposeUserDLL(scratch.record.data());
        if (stop != end) {
            what = QStringLiteral("block %1: the section just written does not read back (the block library "
                                  "stopped at byte %2, the section ends at byte %3); the old file is left as it was")
                       .arg(k + 1)
                       .arg(stop)
                       .arg(end);
            return false;
        }
    }
    return true;
}

bool HostSession::prepareInputs(QString* error) {
    if (!m_settings.csvInputs)
        return true;
    const QString path = QDir(m_systemDir.isEmpty() ? QDir::currentPath() : m_systemDir).filePath(m_settings.csvPath);
    std::string message;
    if (m_series.load(QFile::encodeName(path).toStdString(), &message))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(message));
    return false;
}

void HostSession::parameterDialog(int index) {
    if (index < 0 || index >= blockCount())
        return;
    HostBlock& b = *m_blocks[static_cast<std::size_t>(index)];
    std::vector<unsigned char> names(ovanto::abi::kIoNameRecordSize, 0);
    m_lib.CallParameterDialogDLL(b.record.data(), names.data());
    refreshNames(b);
}

void HostSession::loadAnimationFile(int index, const QString& path) {
    if (index < 0 || index >= blockCount())
        return;
    HostBlock& b = *m_blocks[static_cast<std::size_t>(index)];
    m_lib.LoadQEVFile(b.record.data(), QFile::encodeName(path).constData());
    refreshNames(b);
}

void HostSession::showWindows() {
    for (auto& b : m_blocks)
        m_lib.ShowWindowDLL(b->record.data());
}

void HostSession::fillInputs(double t) {
    m_inputs.fill(0);
    if (m_settings.csvInputs) {
        const auto mode = m_settings.sampleHold ? ovanto::sim::Interpolation::SampleHold : ovanto::sim::Interpolation::Linear;
        const std::size_t n = std::min<std::size_t>(m_series.columnCount(), HostBlock::kSignals);
        for (std::size_t k = 0; k < n; ++k)
            writeExtended(m_inputs.data(), k, m_series.valueAt(t, k, mode));
        return;
    }
    const auto values = m_plant.blockInputs();
    for (std::size_t k = 0; k < values.size(); ++k)
        writeExtended(m_inputs.data(), k, values[k]);
}

// The plant follows the first block's outputs o1..o3, or the stand-in controller.
void HostSession::advancePlant(double t) {
    if (m_settings.csvInputs)
        return;
    ovanto::sim::PlantCommands c = m_controller.commands(t, m_plant);
    if (m_settings.blockControls && !m_blocks.empty()) {
        const unsigned char* out = m_blocks.front()->outputs.data();
        c = {static_cast<double>(readExtended(out, 0)), static_cast<double>(readExtended(out, 1)),
             static_cast<double>(readExtended(out, 2))};
    }
    m_plant.advance(m_settings.stepSize, c);
}

void HostSession::begin() {
    if (m_active)
        end();
    m_active = true;
    m_stepIndex = 0;
    fillInputs(0);
    for (auto& b : m_blocks)
        m_lib.InitSimulationDLL2(static_cast<long double>(m_settings.stepSize), b->record.data(), m_inputs.data(),
                                 b->outputs.data());
    advancePlant(0);
}

void HostSession::step() {
    if (!m_active) {
        begin();
        return;
    }
    ++m_stepIndex;
    const double t = time();
    fillInputs(t);
    for (auto& b : m_blocks)
        m_lib.SimulateDLL(static_cast<long double>(t), b->record.data(), m_inputs.data(), b->outputs.data());
    advancePlant(t);
}

void HostSession::end() {
    if (!m_active)
        return;
    m_active = false;
    for (auto& b : m_blocks)
        m_lib.EndSimulationDLL2(b->record.data());
}

void HostSession::reset() {
    end();
    m_stepIndex = -1;
    m_plant.reset();
    m_controller.reset();
}

bool HostSession::finished() const {
    // Half a step of slack, so rounding of k * h never drops the last step.
    return m_settings.endTime > 0 && (m_stepIndex + 1) * m_settings.stepSize > m_settings.endTime + m_settings.stepSize / 2;
}
