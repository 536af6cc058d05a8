#include "main_form.h"

#include "host_session.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>

TMainForm::TMainForm(HostSession& session, bool fast) : m_session(session), m_fast(fast) {
    setObjectName(QStringLiteral("MainForm"));
    resize(560, 120);
    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    buildMenus();
    setSystemPath(QString());
    connect(&m_timer, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TMainForm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    file->addAction(QStringLiteral("Ö&ffnen..."), this, [this] { OpenClick(); });
    file->addAction(QStringLiteral("&Speichern"), this, [this] {
        if (m_systemPath.isEmpty())
            return SaveAsClick();
        QString error;
        if (!m_session.writeSystem(m_systemPath, &error))
            showError(error);
    });
    file->addAction(QStringLiteral("Speichern &unter..."), this, [this] { SaveAsClick(); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);

    QMenu* block = menuBar()->addMenu(QStringLiteral("&Block"));
    block->addAction(QStringLiteral("&Parameter..."), this, [this] { ParameterClick(); });
    block->addAction(QStringLiteral("&Animationsdatei laden..."), this, [this] { LoadQevClick(); });
    block->addAction(QStringLiteral("&Neuer Block"), this, [this] { NewBlockClick(); });
    block->addAction(QStringLiteral("Fenster &zeigen"), this, [this] { m_session.showWindows(); });

    QMenu* sim = menuBar()->addMenu(QStringLiteral("&Simulation"));
    QToolBar* bar = addToolBar(QStringLiteral("Simulation"));
    const auto both = [&](const QString& text, auto slot) {
        QAction* a = sim->addAction(text, this, slot);
        bar->addAction(a);
    };
    both(QStringLiteral("Start"), [this] { startRun(); });
    both(QStringLiteral("Pause"), [this] { pauseRun(); });
    both(QStringLiteral("Stopp"), [this] { stopRun(); });
    both(QStringLiteral("Einzelschritt"), [this] { singleStep(); });
    both(QStringLiteral("Zurücksetzen"), [this] { resetRun(); });
    bar->addSeparator();
    bar->addAction(QStringLiteral("Parameter..."), this, [this] { ParameterClick(); });
}

void TMainForm::setSystemPath(const QString& path) {
    m_systemPath = path;
    const QString name = path.isEmpty() ? QStringLiteral("(neu)") : QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("VELOR - %1").arg(name));
    updateStatus();
}

void TMainForm::startRun() {
    if (!m_session.active()) {
        QString error;
        if (!m_session.prepareInputs(&error))
            return showError(error);
        m_session.begin();
    }
    const double ms = m_session.settings().stepSize * 1000.0;
    m_timer.start(m_fast ? 0 : static_cast<int>(std::clamp(std::lround(ms), 1L, 3600000L)));
    updateStatus();
}

void TMainForm::pauseRun() {
    m_timer.stop();
    updateStatus();
}

void TMainForm::stopRun() {
    m_timer.stop();
    m_session.end();
    updateStatus();
}

void TMainForm::singleStep() {
    m_timer.stop();
    if (!m_session.active()) {
        QString error;
        if (!m_session.prepareInputs(&error))
            return showError(error);
        m_session.begin();
    } else if (!m_session.finished()) {
        m_session.step();
    }
    updateStatus();
}

void TMainForm::resetRun() {
    m_timer.stop();
    m_session.reset();
    updateStatus();
}

void TMainForm::Timer1Timer() {
    if (m_session.finished())
        return stopRun();
    m_session.step();
    updateStatus();
}

void TMainForm::updateStatus() {
    const QString state = !m_session.active()     ? QStringLiteral("gestoppt")
                          : m_timer.isActive() ? QStringLiteral("läuft")
                                               : QStringLiteral("angehalten");
    m_status->setText(QStringLiteral("t = %1 s    Schritt %2    %3    Füllstand %4 %")
                          .arg(m_session.time(), 0, 'f', 3)
                          .arg(m_session.stepIndex() < 0 ? 0 : m_session.stepIndex())
                          .arg(state)
                          .arg(m_session.plant().level(), 0, 'f', 1));
}

bool TMainForm::event(QEvent* e) {
    switch (static_cast<int>(e->type())) {
    case CmdStart: startRun(); return true;
    case CmdPause: pauseRun(); return true;
    case CmdStop: stopRun(); return true;
    case CmdSingleStep: singleStep(); return true;
    case CmdReset: resetRun(); return true;
    default: return QMainWindow::event(e);
    }
}

void TMainForm::closeEvent(QCloseEvent* e) {
    m_timer.stop();
    m_session.disposeAll();
    e->accept();
}

int TMainForm::chooseBlock(const QString& title) {
    const int n = m_session.blockCount();
    if (n <= 1)
        return n - 1;
    bool ok = false;
    const int k = QInputDialog::getInt(this, title, QStringLiteral("Block (1..%1):").arg(n), 1, 1, n, 1, &ok);
    return ok ? k - 1 : -1;
}

void TMainForm::ParameterClick() {
    const int k = chooseBlock(QStringLiteral("Parameter"));
    if (k >= 0)
        m_session.parameterDialog(k);
}

void TMainForm::LoadQevClick() {
    const int k = chooseBlock(QStringLiteral("Animationsdatei laden"));
    if (k < 0)
        return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Animationsdatei laden"), QString(),
                                                      QStringLiteral("Animationsdateien (*.qev);;Alle Dateien (*)"));
    if (!path.isEmpty())
        m_session.loadAnimationFile(k, path);
}

void TMainForm::NewBlockClick() {
    stopRun();
    m_session.addBlock();
}

void TMainForm::OpenClick() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("System öffnen"), QString(),
                                                      QStringLiteral("Systemdateien (*.vsys);;Alle Dateien (*)"));
    if (path.isEmpty())
        return;
    stopRun();
    m_session.reset();
    QString error;
    if (!m_session.readSystem(path, &error))
        showError(error);
    else if (!m_session.readWarnings().isEmpty())
        QMessageBox::warning(this, QStringLiteral("VELOR"), m_session.readWarnings().join('\n'));
    setSystemPath(path);
}

void TMainForm::SaveAsClick() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("System speichern"), m_systemPath,
                                                      QStringLiteral("Systemdateien (*.vsys)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!m_session.writeSystem(path, &error))
        return showError(error);
    setSystemPath(path);
}

void TMainForm::showError(const QString& text) {
    QMessageBox::critical(this, QStringLiteral("VELOR"), text);
}
