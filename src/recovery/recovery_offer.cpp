#include "recovery/recovery_offer.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>

#include "uibase/byte_text.h"
#include "world/platform_files.h"
#include "world/prompts.h"

RecoveryQuestion::Answer QtRecoveryQuestion::ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), bytesToQString(question));
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    QPushButton* later = box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
    box.setDefaultButton(later);
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == later || !box.clickedButton()) return Answer::Later;
    return Answer::No;
}

std::string recoveryDescription(const RecoveryListing& listing) {
    const RecoveryHeader& h = listing.contents.header;
    std::string zone = !listing.contents.headerRead ? "an unknown zone"
                       : h.zoneName.empty()        ? "zone " + std::to_string(h.zoneNumber)
                                                   : h.zoneName;
    const QString time =
        QDateTime::fromSecsSinceEpoch(listing.time()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return zone + " from " + time.toStdString();
}

bool offerRecoveryFiles(const std::string& directory, const std::string& ownFile, RecoveryQuestion& question,
                        Prompts& prompts, const std::function<void(const RecoveryListing&)>& recover) {
    std::error_code ignored;
    for (const RecoveryListing& listing : listRecoveryFiles(directory)) {
        if (std::filesystem::equivalent(platform::fsPath(listing.path), platform::fsPath(ownFile), ignored)) continue;
        const RecoveryContents& c = listing.contents;
        // Its editor is still at work on it.
        if (c.header.pid != 0 && processRunning(c.header.pid)) continue;
        const std::string what = recoveryDescription(listing);
        std::string text;
        if (!c.clean()) {
            text = "The recovery file " + listing.path + " does not read cleanly:\n";
            for (const std::string& problem : c.problems) text += "- " + problem + "\n";
            text += "\n";
        }
        text += "Recover unsaved work on " + what + "?";
        switch (question.ask(text)) {
            case RecoveryQuestion::Answer::Yes:
                if (c.worldText.empty()) {
                    prompts.message("The recovery file " + listing.path + " holds no rooms that could be read.");
                    continue;
                }
                recover(listing);
                return true;
            case RecoveryQuestion::Answer::No:
                if (prompts.confirm("Delete the recovery file of " + what +
                                    "? Its unsaved work cannot be recovered afterwards."))
                    std::filesystem::remove(platform::fsPath(listing.path), ignored);
                break;
            case RecoveryQuestion::Answer::Later:
                break;
        }
    }
    return false;
}

std::string recoveryListText(const std::string& directory) {
    const std::vector<RecoveryListing> list = listRecoveryFiles(directory);
    if (list.empty()) return "No recovery files in " + directory + "\n";
    std::string out;
    for (const RecoveryListing& listing : list) {
        const RecoveryContents& c = listing.contents;
        out += listing.path + ": " + recoveryDescription(listing);
        if (c.headerRead && !c.header.originalPath.empty()) out += ", file " + c.header.originalPath;
        if (c.header.pid != 0 && processRunning(c.header.pid))
            out += " (its editor, process " + std::to_string(c.header.pid) + ", is still running)";
        if (!c.clean()) out += "; does not read cleanly: " + c.problems.front();
        out += "\n";
    }
    return out;
}
