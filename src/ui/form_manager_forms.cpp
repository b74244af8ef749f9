// The main window's commands that open its sibling forms: the settings dialog, the help
// text and the about box, and the button over the list that chooses the TTD directory.
#include "ui/form_about.h"
#include "ui/form_manager.h"
#include "ui/form_settings.h"

namespace kestrav {
namespace {

constexpr const char* kHelpText =
    "Files can have three states:\n"
    " - active, mark [file will be in all new games]\n"
    " - inactive, gray mark [file do not start with new games, only while loading game,\n"
    "  can be changed in TTDPatch's GRF Status Window]\n"
    " - off, no mark [file is turned off and won't be use in new games and savegames]\n"
    "\n"
    "Kestrav will try to recognize your TTDPatch version,\n"
    " if fails or finds version older than TTDPatch 2.0.1 alpha 30,\n"
    " then 'inactive' function will be unavabile.\n"
    "\n"
    "Remember that to get some of new graphics you need to enable properly TTDPatch switches:\n"
    "- newplanes, newrvs, newtrains, newships\n"
    "- electrifiedrailway, presignals, extpresignals, semaphores\n"
    "- other, check TTDPatch manual\n"
    "\n"
    "Order on the list will apply on loading order in TTD.\n"
    "Files that has lower priority (higher in list) will be overwrited by files with higher priority (lower in "
    "list).\n"
    "For example TempSet and DBSet, only one of those files will be loaded because both files are using the same "
    "Vehicles IDs, second file will replace file loaded before.\n"
    "\n"
    "Graphic can be also activate/deactivate in game using 'Cht: Graphics <ID> [0/1]'\n"
    "(to get ID just use File Information option, it works only with 'saveoptionaldata on').\n"
    "\n"
    "Please always check if you have newest version of Kestrav.";

}  // namespace

// Every setting is read again where it is used, so nothing follows the dialog's closing.
void TformManager::Settings1Click() {
  if (!formSettings) return;
  formSettings->FillFromSettings();
  formSettings->ShowModal();
}

void TformManager::butnSelectTTDdirClick() {
  if (formSettings) formSettings->Button1Click();
}

void TformManager::Help1Click() {
  platform_.dialogs.ShowMessage(MessageKind::Information, kHelpText, MessageButtons::Ok);
}

void TformManager::butnInfoClick() {
  if (formAbout) formAbout->ShowModal();
}

}  // namespace kestrav
