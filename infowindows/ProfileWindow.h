#pragma once

#include "infowindows/Profiles.h"

#include <QDialog>

// A member's profile: photo, facts, family, a pointer to her full profile, and OK.
class ProfileWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ProfileWindow(const Profiles::Profile& profile, QWidget* parent = nullptr);

    // Opens a fresh window for the profile modally and returns when it has been closed.
    static void showModal(const Profiles::Profile& profile, QWidget* parent);

private:
    void cmdOK_Click();
};
