// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

struct Services;
class modPlinkard;
class frmPlinkard;
class frmSettings;
class frmScores;
class frmColors;
class frmName;
class FormDialog;
class QWidget;

// The one program-wide instance of each window. A window is created, hidden, on
// first reference (its load handler runs then) and lives until it is unloaded;
// the next reference after that creates a fresh one.
class Forms {
public:
    Forms(Services &services, modPlinkard &mod);
    ~Forms();
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    Services &services;
    modPlinkard &mod;

    frmPlinkard &main();
    frmSettings &settings();
    frmScores &scores();
    frmColors &colors();
    frmName &name();

    bool isMainLoaded() const { return !m_main.isNull(); }
    bool isSettingsLoaded() const { return !m_settings.isNull(); }
    bool isScoresLoaded() const { return !m_scores.isNull(); }
    bool isColorsLoaded() const { return !m_colors.isNull(); }
    bool isNameLoaded() const { return !m_name.isNull(); }

    // Closes the window if it is loaded; its query-unload handler runs first.
    static void unload(QWidget *window);
    // Called by a dialog whose close went through: forget it and free it later. The main window is
    // not one: it is freed with the Forms.
    void release(FormDialog *window);

private:
    QWidget *owner() const;

    QPointer<frmPlinkard> m_main;
    QPointer<frmSettings> m_settings;
    QPointer<frmScores> m_scores;
    QPointer<frmColors> m_colors;
    QPointer<frmName> m_name;
};
