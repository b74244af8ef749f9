#include "ui/form_about.h"

#include <string>

#include "environment/program_identity.h"

namespace kestrav {

const char* const kAboutText =
    "Kestrav allows you to edit lines in newgrf.cfg file\r\n"
    "(or newgrfw.cfg). It has got also some extra information that\r\n"
    "show how many active sprites will be in game (there is limit\r\n"
    "of them) and can show information about any *.grf file. \r\n"
    "\r\n"
    "\tver. 2.1\r\n"
    "- again GUI changed, removed buttons, top menu,\r\n"
    "  main window is sizeable now, remembering previous\r\n"
    "  position, added shortcuts (also Ctrl+R for 'Run Game')\r\n"
    "- right click on the list highlights position now\r\n"
    "- changed possible states of files to 3 types\r\n"
    "- support newgrf[w].cfg from TTDPatch 2.0.1 alpha 30 \r\n"
    "- added TTDPatch version recognization\r\n"
    "- added Log Creator with two file formats\r\n"
    "- added 'no overwrite confirmation' option\r\n"
    "- added warning if main TTD graphic file is on the list,\r\n"
    "  also prevent from adding orginall TTD graphic files\r\n"
    "- fixed bug with not counting sprites properly\r\n"
    "- fixed bug with no confirmation on exit\r\n"
    "- removed changing state with clicking on the filename\r\n"
    "\tver. 2.0.2\r\n"
    "- changed GUI\r\n"
    "- fixed bug with locking while browsing for TTD\r\n"
    "- removed multi-files moving but allow items can be\r\n"
    "  now drag and drop with mouse\r\n"
    "- removed Sort button, it could made some erros while\r\n"
    "  loading TTD with strange order\r\n"
    "- changed and fixed bug with way entering parameter,\r\n"
    "  now checks correctly and if wrong it will ask again\r\n"
    "- added prioriy graphic\r\n"
    "- added double click option for list\r\n"
    "\tver. 2.0.1\r\n"
    "- changed size, buttons, etc\r\n"
    "- added About\r\n"
    "- added Sorting list by Name\r\n"
    "- changed browsing folder dialog (now it also check\r\n"
    "  for TTD files while browsing)\r\n"
    "- added possiblity of moving many files at once \r\n"
    "  (select more by holding SHIFT or CTRL key)\r\n"
    "\tver. 2.0\r\n"
    "- first release, whole nearly stable program";

const char* TformAbout::lablHomepageText() { return kHomepage; }
const char* TformAbout::lablMailText() { return kMailAddress; }

// The shell's answer is not looked at: it tells the user itself when nothing can open these.
void TformAbout::lablHomepageClick() { shell_.Open(lablHomepageText(), "", ""); }

void TformAbout::lablMailClick() { shell_.Open("mailto:Dravelin<" + std::string(lablMailText()) + ">", "", ""); }

}  // namespace kestrav
