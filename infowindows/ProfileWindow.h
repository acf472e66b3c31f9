#pragma once

#include "infowindows/Profiles.h"

#include <QDialog>

// A member's profile: photo, facts, family, a pointer to her full profile, and OK.
class ProfileWindow : public QDialog
{
    Q_OBJECT

public:
    ProfileWindow(const Profiles::Profile& profile, QWidget* parent = nullptr);

private:
    void cmdOK_Click();
};

// One window class per member, each shown modally and afresh on every opening.
#define CALCULATOR_PROFILE_WINDOW(Name, profile)                                                   \
    class Name : public ProfileWindow                                                              \
    {                                                                                              \
    public:                                                                                        \
        explicit Name(QWidget* parent = nullptr) : ProfileWindow(Profiles::profile(), parent) {}   \
        static void showModal(QWidget* parent)                                                     \
        {                                                                                          \
            Name window(parent);                                                                   \
            window.exec();                                                                         \
        }                                                                                          \
    };

CALCULATOR_PROFILE_WINDOW(Form1, fenna)
CALCULATOR_PROFILE_WINDOW(Form2, dova)
CALCULATOR_PROFILE_WINDOW(Form3, brisa)
CALCULATOR_PROFILE_WINDOW(Form4, caddo)
CALCULATOR_PROFILE_WINDOW(Form5, efri)

#undef CALCULATOR_PROFILE_WINDOW
