#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The pause window a script's PAUSE shows: "Demo Paused" and the seconds left.
class FrmPause : public QDialog
{
    Q_OBJECT
public:
    explicit FrmPause(QWidget *parent = nullptr);

    // Shows the window, without making it modal, with the seconds left in Time.
    void showSecondsLeft(int seconds);

    QLabel *Label1 = nullptr;
    QLineEdit *Time = nullptr;
};
