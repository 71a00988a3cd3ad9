// SPDX-License-Identifier: MIT
#include "Forms.h"

#include "game/frmPlinkard.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"
#include "settings/frmColors.h"
#include "settings/frmSettings.h"

Forms::Forms(Services &services_, modPlinkard &mod_) : services(services_), mod(mod_) {}

Forms::~Forms() {
    // Dialogs are children of the main window; deleting it frees them too.
    delete m_main.data();
}

QWidget *Forms::owner() const { return m_main.data(); }

frmPlinkard &Forms::main() {
    if (m_main.isNull()) {
        m_main = new frmPlinkard(*this);
        m_main->Form_Load();
    }
    return *m_main;
}

frmSettings &Forms::settings() {
    if (m_settings.isNull()) {
        m_settings = new frmSettings(*this, owner());
        m_settings->Form_Load();
    }
    return *m_settings;
}

frmScores &Forms::scores() {
    if (m_scores.isNull()) {
        m_scores = new frmScores(*this, owner());
    }
    return *m_scores;
}

frmColors &Forms::colors() {
    if (m_colors.isNull()) {
        m_colors = new frmColors(*this, m_settings.isNull() ? owner() : m_settings.data());
    }
    return *m_colors;
}

frmName &Forms::name() {
    if (m_name.isNull()) {
        m_name = new frmName(*this, owner());
    }
    return *m_name;
}

void Forms::unload(QWidget *window) {
    if (window != nullptr) {
        window->close();
    }
}

void Forms::release(FormDialog *window) {
    if (window == m_settings) {
        m_settings = nullptr;
    } else if (window == m_scores) {
        m_scores = nullptr;
    } else if (window == m_colors) {
        m_colors = nullptr;
    } else if (window == m_name) {
        m_name = nullptr;
    }
    window->hide();
    window->deleteLater();
}
