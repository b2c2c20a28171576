#pragma once

#include "ExitStatus.h"

#include <QString>
#include <QStringList>
#include <memory>

class HostApplication;
class HostView;
class HostViews;

// The process-wide values of one run, filled by the start-up and read by every step of
// the run, the main window and the preview.
struct RunState
{
    QString commandLine; // the process command line, arguments joined by spaces
    QString launchingWindowTitle; // title of the window in the foreground at start
    HostApplication *hostApplication = nullptr;
    HostViews *viewCollection = nullptr;
    qint16 activeViewType = 0;
    std::shared_ptr<HostView> calculationView; // every field read, write and move of a run

    QString calculationText; // the calculation, then the statement being processed
    QString argumentFilePath;
    QStringList statements;
    qint16 statementIndex = 0;
    qint32 targetFieldId = 0;
    bool lookupFlag = false; // run over every record of the current lookup
    bool allContactsRequested = false; // scripted "--all": the all-contacts command before the run
    bool lookupMadeAllContacts = false; // the all-contacts command was sent for this run
    bool invalidFieldFlag = false;
    bool noConversion = false; // the statement carries "~": no truth words
    QString fieldNameBuffer;
    bool reopenFlag = false; // the integration dialog asked for a host restart

    ExitStatus exitStatus = ExitStatus::Written;
    bool hostNotFound = false; // attaching failed with error 429
};
