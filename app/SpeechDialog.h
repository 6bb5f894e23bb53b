#pragma once
// "Speech" settings: the voice and the rate of reading aloud, with a "Test" button; OK
// applies them to the speaker and keeps them for the next run.

#include <QDialog>

class QComboBox;
class QSlider;
class TSpeaker;

class SpeechDialog : public QDialog
{
    Q_OBJECT
public:
    SpeechDialog(TSpeaker &speaker, QWidget *parent);

    // Gives the speaker the voice and rate kept from an earlier run.
    static void ApplySaved(TSpeaker &speaker);

    void accept() override;

private:
    double ChosenRate() const;

    TSpeaker &FSpeaker;
    QComboBox *cboVoice;
    QSlider *sldRate;
};
