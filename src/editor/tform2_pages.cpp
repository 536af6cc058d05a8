// The five settings pages: controls, loading them from the window, and OK's writing back.

#include "editor/real_edit.h"
#include "editor/tform2.h"
#include "elements/core/formula/formula.h"
#include "elements/core/formula/parse_float.h"
#include "host/window_manager.h"
#include "platform/dialogs.h"
#include "window/tform1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ovanto {
namespace {

// An IntegerEdit with its UpDown: only the arrows change a read-only one.
QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum, bool readOnly = true) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setAccelerated(true);
    box->setKeyboardTracking(false);
    if (readOnly) box->findChild<QLineEdit*>()->setReadOnly(true);
    box->setMinimumWidth(64);
    return box;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

QWidget* TForm2::createIOPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* counts = new QGroupBox(QStringLiteral("Anzahl"), page);
    auto* countForm = new QFormLayout(counts);
    m_upDown1 = spin(counts, "IntegerEdit1", 0, 50);
    m_upDown4 = spin(counts, "IntegerEdit4", 0, 50);
    countForm->addRow(buddyLabel(QStringLiteral("Blockeingänge:"), m_upDown1), m_upDown1);
    countForm->addRow(buddyLabel(QStringLiteral("Blockausgänge:"), m_upDown4), m_upDown4);
    grid->addWidget(counts, 0, 0);

    auto* special = new QGroupBox(QStringLiteral("Sondereingänge"), page);
    auto* specialForm = new QFormLayout(special);
    specialForm->addRow(QStringLiteral("Zähler 1:"), new QLabel(QStringLiteral("I51"), special));
    specialForm->addRow(QStringLiteral("Zähler 2:"), new QLabel(QStringLiteral("I52"), special));
    specialForm->addRow(QStringLiteral("Zähler 3:"), new QLabel(QStringLiteral("I53"), special));
    specialForm->addRow(QStringLiteral("Zeit t:"), new QLabel(QStringLiteral("I54"), special));
    grid->addWidget(special, 0, 1);

    auto* inputs = new QGroupBox(QStringLiteral("Namen und Skalierungen der Blockeingänge"), page);
    auto* inForm = new QFormLayout(inputs);
    m_upDown2 = spin(inputs, "IntegerEdit2", 1, 50);
    m_inNameEdit = new QLineEdit(inputs);
    m_inNameEdit->setObjectName(QStringLiteral("InNameEdit"));
    m_factorEdit = new RealEdit(inputs);
    m_offsetEdit = new RealEdit(inputs);
    m_minEdit = new RealEdit(inputs);
    m_maxEdit = new RealEdit(inputs);
    inForm->addRow(buddyLabel(QStringLiteral("&Eingang Nr:"), m_upDown2), m_upDown2);
    inForm->addRow(QStringLiteral("Name:"), m_inNameEdit);
    inForm->addRow(buddyLabel(QStringLiteral("&Faktor:"), m_factorEdit), m_factorEdit);
    inForm->addRow(buddyLabel(QStringLiteral("&Offset:"), m_offsetEdit), m_offsetEdit);
    inForm->addRow(buddyLabel(QStringLiteral("M&inimalwert:"), m_minEdit), m_minEdit);
    inForm->addRow(buddyLabel(QStringLiteral("Ma&ximalwert:"), m_maxEdit), m_maxEdit);
    grid->addWidget(inputs, 1, 0);

    auto* outputs = new QGroupBox(QStringLiteral("Namen der Blockausgänge"), page);
    auto* outForm = new QFormLayout(outputs);
    m_upDown5 = spin(outputs, "IntegerEdit5", 1, 50);
    m_outNameEdit = new QLineEdit(outputs);
    m_outNameEdit->setObjectName(QStringLiteral("OutNameEdit"));
    outForm->addRow(buddyLabel(QStringLiteral("Aus&gang Nr:"), m_upDown5), m_upDown5);
    outForm->addRow(QStringLiteral("Name:"), m_outNameEdit);
    grid->addWidget(outputs, 1, 1, Qt::AlignTop);
    grid->setRowStretch(2, 1);

    connect(m_upDown2, &QSpinBox::valueChanged, this, [this] { UpDown2Changed(); });
    connect(m_upDown5, &QSpinBox::valueChanged, this, [this] { UpDown5Changed(); });
    connect(m_inNameEdit, &QLineEdit::textEdited, this, [this] { applyInputEdits(); });
    for (RealEdit* e : {m_factorEdit, m_offsetEdit, m_minEdit, m_maxEdit})
        connect(e, &RealEdit::valueEdited, this, [this] { applyInputEdits(); });
    connect(m_outNameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_window.configuration().OutputNames[static_cast<std::size_t>(m_upDown5->value() - 1)] = text;
    });
    return page;
}

QWidget* TForm2::createCounterPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("Zähler-Einstellungen"), page);
    auto* grid = new QGridLayout(group);
    for (int k = 0; k < 3; ++k) {
        auto* cycle = new RealEdit(group);
        cycle->setObjectName(QStringLiteral("C%1Edit").arg(k + 1));
        auto* increment = new QLineEdit(group);
        increment->setObjectName(QStringLiteral("I%1Edit").arg(k + 1));
        m_cycleEdits[static_cast<std::size_t>(k)] = cycle;
        m_incrementEdits[static_cast<std::size_t>(k)] = increment;
        grid->addWidget(new QLabel(QStringLiteral("Zähler %1 (I5%2):").arg(k + 1).arg(k + 1), group), k, 0);
        grid->addWidget(buddyLabel(QStringLiteral("&Zyklus:"), cycle), k, 1);
        grid->addWidget(cycle, k, 2);
        grid->addWidget(buddyLabel(QStringLiteral("&Inkrement:"), increment), k, 3);
        grid->addWidget(increment, k, 4);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    column->addWidget(group);
    column->addStretch(1);
    return page;
}

QWidget* TForm2::createConstantsPage() {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Wert"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kommentar"), page), 0, 2);
    for (int k = 0; k < 20; ++k) {
        auto* value = new RealEdit(page);
        value->setObjectName(QStringLiteral("Const%1Edit").arg(k + 1));
        auto* comment = new QLineEdit(page);
        comment->setObjectName(QStringLiteral("Comment%1Edit").arg(k + 1));
        m_constEdits[static_cast<std::size_t>(k)] = value;
        m_commentEdits[static_cast<std::size_t>(k)] = comment;
        grid->addWidget(new QLabel(QStringLiteral("C%1:").arg(k + 1), page), k + 1, 0);
        grid->addWidget(value, k + 1, 1);
        grid->addWidget(comment, k + 1, 2);
        connect(value, &RealEdit::valueEdited, this, [this, k](long double v) {
            m_window.signalTable()[signal_pos::kFirstConstant + k] = v;
        });
        connect(comment, &QLineEdit::textEdited, this, [this, k](const QString& text) {
            m_window.configuration().ConstantComments[static_cast<std::size_t>(k)] = text;
        });
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(21, 1);
    scroll->setWidget(page);
    return scroll;
}

QWidget* TForm2::createWindowPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* titleGroup = new QGroupBox(QStringLiteral("Fenstertitel"), page);
    auto* titleRow = new QHBoxLayout(titleGroup);
    m_titleEdit = new QLineEdit(titleGroup);
    m_titleEdit->setObjectName(QStringLiteral("TitleEdit"));
    titleRow->addWidget(buddyLabel(QStringLiteral("Fenstert&itel:"), m_titleEdit));
    titleRow->addWidget(m_titleEdit, 1);
    grid->addWidget(titleGroup, 0, 0, 1, 2);

    auto* style = new QGroupBox(QStringLiteral("Fensterstil"), page);
    auto* styleColumn = new QVBoxLayout(style);
    m_rb2 = new QRadioButton(QStringLiteral("&Variable Größe"), style);
    m_rb1 = new QRadioButton(QStringLiteral("Fe&ste Größe (mit Titel/Rahmen)"), style);
    m_rb3 = new QRadioButton(QStringLiteral("Feste Größe (ohne Titel/Rahmen)"), style);
    for (QRadioButton* rb : {m_rb2, m_rb1, m_rb3}) styleColumn->addWidget(rb);
    m_centerWindowCB = check(style, "CenterWindowCB", QStringLiteral("Fenster auf Bildschirm zentrieren"));
    m_alwaysMaxWindowCB = check(style, "AlwaysMaxWindowCB", QStringLiteral("Fenster immer als Vollbild öffnen"));
    m_onTopCB = check(style, "OnTopCB", QStringLiteral("Fenster immer oben"));
    m_qevManCB = check(style, "QEVManCB", QStringLiteral("In QEV-Fenstermanager übernehmen"));
    for (QCheckBox* cb : {m_centerWindowCB, m_alwaysMaxWindowCB, m_onTopCB, m_qevManCB}) styleColumn->addWidget(cb);
    auto* sizeRow = new QHBoxLayout;
    m_upDown7 = spin(style, "IntegerEdit7", 10, 2000);
    m_upDown8 = spin(style, "IntegerEdit8", 10, 2000);
    sizeRow->addWidget(new QLabel(QStringLiteral("Client-Größe:"), style));
    sizeRow->addWidget(m_upDown7);
    sizeRow->addWidget(new QLabel(QStringLiteral("x"), style));
    sizeRow->addWidget(m_upDown8);
    sizeRow->addStretch(1);
    styleColumn->addLayout(sizeRow);
    auto* colorRow = new QHBoxLayout;
    auto* farbe = new QPushButton(QStringLiteral("&Farbe..."), style);
    m_pfComboBox = new QComboBox(style);
    m_pfComboBox->setObjectName(QStringLiteral("PFComboBox"));
    m_pfComboBox->addItems({QStringLiteral("auto"), QStringLiteral("1 Bit"), QStringLiteral("4 Bit"),
                            QStringLiteral("8 Bit"), QStringLiteral("15 Bit"), QStringLiteral("16 Bit"),
                            QStringLiteral("24 Bit"), QStringLiteral("32 Bit")});
    colorRow->addWidget(farbe);
    colorRow->addSpacing(12);
    colorRow->addWidget(new QLabel(QStringLiteral("Farbtiefe:"), style));
    colorRow->addWidget(m_pfComboBox);
    colorRow->addStretch(1);
    styleColumn->addLayout(colorRow);
    grid->addWidget(style, 1, 0);

    auto* help = new QGroupBox(QStringLiteral("Online-Hilfe"), page);
    auto* helpColumn = new QVBoxLayout(help);
    m_helpMenuCB = check(help, "HelpMenuCB", QStringLiteral("Hilfe-Menüpunkt einfügen"));
    helpColumn->addWidget(m_helpMenuCB);
    auto* helpRow = new QHBoxLayout;
    m_helpFileEdit = new QLineEdit(help);
    m_helpFileEdit->setObjectName(QStringLiteral("HelpFileEdit"));
    auto* browse = new QPushButton(QStringLiteral("..."), help);
    browse->setFixedWidth(28);
    helpRow->addWidget(new QLabel(QStringLiteral("Hilfe-Datei:"), help));
    helpRow->addWidget(m_helpFileEdit, 1);
    helpRow->addWidget(browse);
    helpColumn->addLayout(helpRow);
    grid->addWidget(help, 2, 0);

    auto* control = new QGroupBox(QStringLiteral("Eingangsgesteuertes Verbergen/Aktivieren"), page);
    auto* controlGrid = new QGridLayout(control);
    auto conditionRow = [&](int row, QCheckBox* box, const QString& port, QSpinBox* number, bool greaterZero) {
        controlGrid->addWidget(box, row, 0);
        controlGrid->addWidget(new QLabel(port, control), row, 1);
        controlGrid->addWidget(number, row, 2);
        if (greaterZero) controlGrid->addWidget(new QLabel(QStringLiteral("> 0"), control), row, 3);
    };
    m_visCtrlCB = check(control, "VisCtrlCB", QStringLiteral("Fenster nur sichtbar, wenn"));
    m_upDown9 = spin(control, "IntegerEdit9", 1, 50);
    conditionRow(0, m_visCtrlCB, QStringLiteral("Eingang Nr."), m_upDown9, true);
    m_preSimVisCB = check(control, "PreSimVisCB", QStringLiteral("Vor Simulationsbeginn sichtbar"));
    m_postSimVisCB = check(control, "PostSimVisCB", QStringLiteral("Nach Simulationsende sichtbar"));
    controlGrid->addWidget(m_preSimVisCB, 1, 0, 1, 4);
    controlGrid->addWidget(m_postSimVisCB, 2, 0, 1, 4);
    m_actCtrlCB = check(control, "ActCtrlCB", QStringLiteral("Fenster aktivieren, wenn"));
    m_upDown11 = spin(control, "IntegerEdit11", 1, 50);
    conditionRow(3, m_actCtrlCB, QStringLiteral("Eingang Nr."), m_upDown11, true);
    m_formActivateCB = check(control, "FormActivateCB", QStringLiteral("'Fenster aktiv'-Signal legen auf"));
    m_upDown12 = spin(control, "IntegerEdit12", 1, 50);
    conditionRow(4, m_formActivateCB, QStringLiteral("Ausgang Nr."), m_upDown12, false);
    controlGrid->setColumnStretch(4, 1);
    grid->addWidget(control, 1, 1);

    auto* refresh = new QGroupBox(QStringLiteral("Aktualisieren des Fensterinhalts"), page);
    auto* refreshGrid = new QGridLayout(refresh);
    m_staticCB = check(refresh, "StaticCB", QStringLiteral("Fensterinhalt ist statisch"));
    refreshGrid->addWidget(m_staticCB, 0, 0, 1, 4);
    m_refreshCtrlCB = check(refresh, "RefreshCtrlCB", QStringLiteral("Fenster nur auffrischen, wenn"));
    m_upDown10 = spin(refresh, "IntegerEdit10", 1, 50);
    refreshGrid->addWidget(m_refreshCtrlCB, 1, 0);
    refreshGrid->addWidget(new QLabel(QStringLiteral("Eingang Nr."), refresh), 1, 1);
    refreshGrid->addWidget(m_upDown10, 1, 2);
    refreshGrid->addWidget(new QLabel(QStringLiteral("> 0"), refresh), 1, 3);
    m_upDown6 = spin(refresh, "IntegerEdit6", 1, 32000, false);
    auto* everyRow = new QHBoxLayout;
    everyRow->addWidget(buddyLabel(QStringLiteral("Auff&rischen bei jedem"), m_upDown6));
    everyRow->addWidget(m_upDown6);
    everyRow->addWidget(new QLabel(QStringLiteral("-ten Schritt"), refresh));
    everyRow->addStretch(1);
    refreshGrid->addLayout(everyRow, 2, 0, 1, 4);
    refreshGrid->setColumnStretch(4, 1);
    grid->addWidget(refresh, 2, 1);

    auto* keys = new QGroupBox(QStringLiteral("Tastaturbotschaften (KEY-Element)"), page);
    auto* keysColumn = new QVBoxLayout(keys);
    m_keyActivateCB = check(keys, "KeyActivateCB", QStringLiteral("Fenster bei Tastaturbotschaft aktivieren"));
    keysColumn->addWidget(m_keyActivateCB);
    grid->addWidget(keys, 3, 1);
    grid->setRowStretch(4, 1);

    connect(m_titleEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_window.options().Caption = text;
        m_window.applyCaption();
    });
    auto setBorder = [this](BorderStyle border) {
        m_window.options().Border = border;
        m_window.applyBorderStyle();
    };
    connect(m_rb1, &QRadioButton::clicked, this, [setBorder] { setBorder(BorderStyle::Single); });
    connect(m_rb2, &QRadioButton::clicked, this, [setBorder] { setBorder(BorderStyle::Sizeable); });
    connect(m_rb3, &QRadioButton::clicked, this, [setBorder] { setBorder(BorderStyle::None); });
    auto setClient = [this] { m_window.setClientSize(QSize(m_upDown7->value(), m_upDown8->value())); };
    connect(m_upDown7, &QSpinBox::valueChanged, this, setClient);
    connect(m_upDown8, &QSpinBox::valueChanged, this, setClient);
    connect(farbe, &QPushButton::clicked, this, [this] { FarbeButtonClick(); });
    connect(m_helpMenuCB, &QCheckBox::toggled, this, [this](bool on) {
        m_window.options().HelpMenu = on;
        m_window.applyHelpMenu();
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        QString name = QStringLiteral("*.html");
        if (Dialogs::instance().openFileName(
                this, QStringLiteral("Hilfe-Datei"),
                QStringLiteral("Windows-Hilfe-Dateien (*.hlp)|*.hlp|HTML-Dateien (*.htm; *.html)|*.htm;*.html|"
                               "Compilierte HTML-Datei (*.chm)|*.chm|Texte-Dateien (*.txt)|*.txt"),
                name))
            m_helpFileEdit->setText(name);
    });
    return page;
}

QWidget* TForm2::createExternalPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    m_externIOCB = check(page, "ExternIOCB", QStringLiteral("Externe I/Os abspeichern"));
    column->addWidget(m_externIOCB);
    column->addStretch(1);
    return page;
}

void TForm2::FarbeButtonClick() {
    int color = m_window.options().BackgroundColor;
    if (!Dialogs::instance().color(this, color)) return;
    m_window.options().BackgroundColor = color;
    m_window.applyBackground();
    Preview();
}

void TForm2::LoadControls() {
    const BlockConfiguration& c = m_window.configuration();
    const WindowOptions& o = m_window.options();
    const SignalTable& table = m_window.signalTable();
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QObject* o2 : findChildren<QSpinBox*>()) quiet.push_back(std::make_unique<QSignalBlocker>(o2));
    for (QObject* o2 : findChildren<QCheckBox*>()) quiet.push_back(std::make_unique<QSignalBlocker>(o2));
    m_upDown1->setValue(std::clamp(c.InputCount, 0, kMaxInputs));
    m_upDown4->setValue(std::clamp(c.OutputCount, 0, kMaxOutputs));
    m_upDown2->setValue(1);
    m_upDown5->setValue(1);
    UpDown2Changed();
    UpDown5Changed();
    m_rb2->setChecked(o.Border == BorderStyle::Sizeable || o.Border == BorderStyle::SizeToolWindow);
    m_rb1->setChecked(o.Border == BorderStyle::Single || o.Border == BorderStyle::Dialog ||
                      o.Border == BorderStyle::ToolWindow);
    m_rb3->setChecked(o.Border == BorderStyle::None);
    m_helpMenuCB->setChecked(o.HelpMenu);
    m_helpFileEdit->setText(o.HelpFile);
    for (std::size_t k = 0; k < 3; ++k) {
        m_cycleEdits[k]->setValue(c.CounterCycle[k]);
        m_incrementEdits[k]->setText(QString::fromStdString(c.CounterIncrement[k].text()));
    }
    for (std::size_t k = 0; k < 20; ++k) {
        m_constEdits[k]->setValue(table[signal_pos::kFirstConstant + static_cast<int>(k)]);
        m_commentEdits[k]->setText(c.ConstantComments[k]);
    }
    m_upDown6->setValue(std::clamp(c.RefreshInterval, 1, 32000));
    const QSize client = m_window.clientSize();
    m_upDown7->setValue(client.width());
    m_upDown8->setValue(client.height());
    m_centerWindowCB->setChecked(o.CenterWindow);
    m_alwaysMaxWindowCB->setChecked(o.AlwaysMaximized);
    m_onTopCB->setChecked(c.AlwaysOnTop);
    m_qevManCB->setChecked(o.WindowManager);
    m_visCtrlCB->setChecked(c.VisibilityControl);
    m_upDown9->setValue(c.VisibilityInput);
    m_preSimVisCB->setChecked(c.VisibleBeforeSimulation);
    m_postSimVisCB->setChecked(c.VisibleAfterSimulation);
    m_actCtrlCB->setChecked(c.ActivationControl);
    m_upDown11->setValue(c.ActivationInput);
    m_formActivateCB->setChecked(c.ActiveSignal);
    m_upDown12->setValue(c.ActiveSignalOutput);
    m_staticCB->setChecked(c.StaticContent);
    m_refreshCtrlCB->setChecked(c.RefreshControl);
    m_upDown10->setValue(c.RefreshInput);
    m_keyActivateCB->setChecked(o.ActivateOnKeyMessage);
    m_externIOCB->setChecked(c.SaveExternalIOs);
    m_pfComboBox->setCurrentIndex(std::clamp(o.PixelFormat, 0, 7));
    m_titleEdit->setText(o.Caption);
}

void TForm2::UpDown2Changed() {
    const std::size_t i = static_cast<std::size_t>(m_upDown2->value() - 1);
    const BlockConfiguration& c = m_window.configuration();
    m_inNameEdit->setText(c.InputNames[i]);
    m_factorEdit->setValue(c.InputFactor[i]);
    m_offsetEdit->setValue(c.InputOffset[i]);
    m_minEdit->setValue(c.InputMin[i]);
    m_maxEdit->setValue(c.InputMax[i]);
    m_inNameEdit->selectAll();
}

void TForm2::UpDown5Changed() {
    m_outNameEdit->setText(m_window.configuration().OutputNames[static_cast<std::size_t>(m_upDown5->value() - 1)]);
}

void TForm2::applyInputEdits() {
    const std::size_t i = static_cast<std::size_t>(m_upDown2->value() - 1);
    BlockConfiguration& c = m_window.configuration();
    c.InputNames[i] = m_inNameEdit->text();
    c.InputFactor[i] = m_factorEdit->value();
    c.InputOffset[i] = m_offsetEdit->value();
    c.InputMin[i] = m_minEdit->value();
    c.InputMax[i] = m_maxEdit->value();
}

bool TForm2::storeControls() {
    BlockConfiguration& c = m_window.configuration();
    WindowOptions& o = m_window.options();
    c.InputCount = m_upDown1->value();
    c.OutputCount = m_upDown4->value();
    o.Caption = m_titleEdit->text();
    m_window.applyCaption();
    WindowManager::instance().SetQEVFormCaption(&m_window);
    for (std::size_t k = 0; k < 3; ++k) {
        c.CounterCycle[k] = m_cycleEdits[k]->value();
        const QString typed = m_incrementEdits[k]->text();
        c.CounterIncrement[k].setText(typed.toStdString());
        const std::string upper = typed.toUpper().toStdString();
        long double number = 0.0L;
        CompiledFormula program;
        if (!TryParseFloat(upper, number) && !CompileFormula(upper, program)) {
            m_incrementEdits[k]->setFocus();
            showValidationError(QStringLiteral("Ausdruck kann nicht interpretiert werden!"), false);
            return false;
        }
    }
    for (std::size_t k = 0; k < 20; ++k) {
        m_window.signalTable()[signal_pos::kFirstConstant + static_cast<int>(k)] = m_constEdits[k]->value();
        c.ConstantComments[k] = m_commentEdits[k]->text();
    }
    c.RefreshInterval = m_upDown6->value();
    c.VisibilityInput = m_upDown9->value();
    c.VisibilityControl = m_visCtrlCB->isChecked();
    c.ActivationInput = m_upDown11->value();
    c.ActivationControl = m_actCtrlCB->isChecked();
    c.RefreshInput = m_upDown10->value();
    c.RefreshControl = m_refreshCtrlCB->isChecked();
    c.ActiveSignal = m_formActivateCB->isChecked();
    c.ActiveSignalOutput = m_upDown12->value();
    c.VisibleBeforeSimulation = m_preSimVisCB->isChecked();
    c.VisibleAfterSimulation = m_postSimVisCB->isChecked();
    o.ActivateOnKeyMessage = m_keyActivateCB->isChecked();
    c.AlwaysOnTop = m_onTopCB->isChecked();
    o.WindowManager = m_qevManCB->isChecked();
    if (o.WindowManager) {
        WindowManager::instance().InitQEVManager(m_window.hostWindowHandle());
        WindowManager::instance().AddQEVFormMan(&m_window);
    } else {
        WindowManager::instance().RemoveQEVFormMan(&m_window);
    }
    c.StaticContent = m_staticCB->isChecked();
    o.CenterWindow = m_centerWindowCB->isChecked();
    c.SaveExternalIOs = m_externIOCB->isChecked();
    o.AlwaysMaximized = m_alwaysMaxWindowCB->isChecked();
    o.PixelFormat = m_pfComboBox->currentIndex();
    o.HelpMenu = m_helpMenuCB->isChecked();
    o.HelpFile = m_helpFileEdit->text();
    m_window.applyHelpMenu();
    o.Border = m_rb1->isChecked() ? BorderStyle::Single : m_rb2->isChecked() ? BorderStyle::Sizeable : BorderStyle::None;
    m_window.applyBorderStyle();
    return true;
}

} // namespace ovanto
