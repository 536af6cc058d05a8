#pragma once

#include "block_library.h"
#include "system_file.h"

#include "sim/plant_model.h"
#include "sim/time_series.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <sys/types.h>
#include <utility>
#include <vector>

// One block instance as the host keeps it: the record the library writes its
// window into, and the packed input and output arrays it hands over each step.
struct HostBlock {
    static constexpr std::size_t kRecordSize = 8192;
    static constexpr std::size_t kSignals = 50;
    std::vector<unsigned char> record = std::vector<unsigned char>(kRecordSize, 0);
    std::array<unsigned char, kSignals * ovanto::abi::kExtendedSize> outputs{};
    int inputCount = 0;
    int outputCount = 0;
    QStringList inputNames;
    QStringList outputNames;
};

// The simulation a host runs: the blocks, the input source (plant model or
// CSV series) and the fixed-step clock. No widgets: the main window and the
// headless runner both drive it.
class HostSession {
public:
    explicit HostSession(BlockLibrary& library) : m_lib(library) {}
    ~HostSession() { disposeAll(); }
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    void setHostWindow(std::uintptr_t handle) { m_hostWindow = handle; }
    SystemSettings& settings() { return m_settings; }

    int addBlock();
    void disposeAll();
    int blockCount() const { return static_cast<int>(m_blocks.size()); }
    const HostBlock& block(int index) const { return *m_blocks[static_cast<std::size_t>(index)]; }

    // Reads a system file, creating its blocks (after disposing any present).
    // On an error the blocks read so far stay. A block whose reader did not
    // end exactly where its section ends gives a warning. A file that failed
    // or warned is not saved over unless forced.
    bool readSystem(const QString& path, QString* error);
    const QStringList& readWarnings() const { return m_readWarnings; }
    // Saving over a file that did not read cleanly; the old one is kept as FILE.bak.
    void setForce(bool on) { m_force = on; }
    // Writes a temporary file beside the target (the file a symbolic link
    // names), reads every block section back, and only then replaces the old file.
    bool writeSystem(const QString& path, QString* error);
    // Loads the CSV series named in the settings (when CSV inputs are chosen).
    bool prepareInputs(QString* error);

    void parameterDialog(int index);
    void loadAnimationFile(int index, const QString& path);
    void showWindows();

    // The run: begin() is step 0 at t = 0, each step() the next one.
    bool active() const { return m_active; }
    void begin();
    void step();
    void end();
    void reset(); // ends a run and puts plant and clock back to the start
    bool finished() const; // the end time is reached
    double time() const { return m_stepIndex < 0 ? 0.0 : m_stepIndex * m_settings.stepSize; }
    long stepIndex() const { return m_stepIndex; }
    const ovanto::sim::PlantModel& plant() const { return m_plant; }

private:
    void fillInputs(double t);
    void advancePlant(double t);
    void refreshNames(HostBlock& b);
    bool verifySections(int fd, const std::vector<std::pair<off_t, off_t>>& sections, QString& what);

    BlockLibrary& m_lib;
    SystemSettings m_settings;
    QString m_systemDir;
    QStringList m_readWarnings;
    QString m_uncleanFile; // canonical path of the file that last read with an error or warning
    bool m_force = false;
    std::uintptr_t m_hostWindow = 0;
    std::vector<std::unique_ptr<HostBlock>> m_blocks;
    std::array<unsigned char, HostBlock::kSignals * ovanto::abi::kExtendedSize> m_inputs{};
    ovanto::sim::PlantModel m_plant;
    ovanto::sim::PlantController m_controller;
    ovanto::sim::TimeSeries m_series;
    bool m_active = false;
    long m_stepIndex = -1;
};
