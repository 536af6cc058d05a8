#pragma once

#include <QMainWindow>
#include <QTimer>

class HostSession;
class QLabel;

// The host's main window. Button elements of the block find it by its class
// name and the "VELOR" in its caption and send it the host command events.
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    enum Command { CmdStart = 32522, CmdPause, CmdStop, CmdSingleStep, CmdReset };

    TMainForm(HostSession& session, bool fast);

    void setSystemPath(const QString& path);
    void startRun();
    void pauseRun();
    void stopRun();
    void singleStep();
    void resetRun();
    void updateStatus();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void Timer1Timer();
    void OpenClick();
    void SaveAsClick();
    void ParameterClick();
    void LoadQevClick();
    void NewBlockClick();
    int chooseBlock(const QString& title);
    void showError(const QString& text);

    HostSession& m_session;
    QTimer m_timer;
    QLabel* m_status = nullptr;
    QString m_systemPath;
    bool m_fast = false;
};
