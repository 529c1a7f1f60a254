// Every text of the interface, the network and error-report screens, the
// story, the credits, the level flow and the tips that the descriptions of
// the table give word for word, transcribed here by hand and compared byte
// for byte with the compiled table.
#include "language/LanguageTestSupport.h"

namespace {

#define SAME(t) {t, t, t, t, t}
#define EN(t) {t, nullptr, nullptr, nullptr, nullptr}

const GoldenRow commonWords[] = {
    {"CONFIRM", {u8"Are you sure?", u8"Es-tu sûr\u00A0?", nullptr, nullptr, nullptr}},
    {"YES", EN(u8"Yes")},
    {"NO", EN(u8"No")},
    {"OK", {u8"OK", u8"OK", u8"OK", u8"OK", u8"Aceptar"}},
    {"DONE", {u8"Done", nullptr, u8"Fertig", u8"Fine", nullptr}},
    {"APPLY", EN(u8"Apply")},
    {"OFF", EN(u8"Off")},
    {"ON", EN(u8"On")},
    // Icon bytes beside the English button words only.
    {"BACK", {u8"\x09  Back", u8"Retour", u8"Zurück", u8"Indietro", u8"Atrás"}},
    {"NEXT", {u8"Next  \x0A", u8"Suivant", u8"Weiter", u8"Avanti", u8"Siguiente"}},
    {"CANCEL", {u8"\x02  Cancel", u8"Annuler", u8"Abbrechen", u8"Cancella", u8"Cancelar"}},
    {"FINISH", {u8"Finish", nullptr, u8"Fertig", u8"Fine", nullptr}},
    {"HELP", {u8"\x0D  Help", u8"Aide", u8"Hilfe", u8"Aiuto", u8"Ayuda"}},
    {"QUIT", {u8"\x02  Quit", u8"Quitter", u8"Beenden", u8"Esci", u8"Salir"}},
    {"STARTINGDOTS", EN(u8"Starting...")},
    {"CONNECTED", EN(u8"Connected.")},
    {"FAILED", {u8"Failed.", nullptr, nullptr, nullptr, u8"Envío no realizado."}},
    {"SUCCESS", EN(u8"Success.")},
    {"DONEDOT", EN(u8"Done.")},
    {"STOP", EN(u8"Stop.")},
};

const GoldenRow playerAndOptionTexts[] = {
    {"PLAYERS", EN(u8"Players")},
    {"CLICKTOCHANGEPLAYERS", EN(u8"Click here to change players.")},
    {"ENTERYOURNAME", {u8"Enter your name:", u8"Saisis ton nom\u00A0:", nullptr, nullptr, nullptr}},
    {"HELLO", {u8"Hello, %s!", u8"Bonjour %s\u00A0!", u8"Hallo %s!", u8"Ciao, %s!", u8"¡Hola, %s!"}},
    {"ADDPLAYER", EN(u8"Add")},
    {"DELETEPLAYER", EN(u8"Delete")},
    {"STARTGAME", EN(u8"Start game")},
    {"HIGHSCORES", EN(u8"High scores")},
    {"OPTIONS", {u8"Options", u8"Options...", u8"Optionen ...", u8"Opzioni...", u8"Opciones..."}},
    {"OPTIONSDOTS", {u8"Options...", u8"Options...", u8"Einstellungen...", u8"Opzioni...", u8"Opciones..."}},
    {"WEBSITE", EN(u8"Website")},
    {"WEBSITEHINT", EN(u8"Visit official website")},
    {"GAMEPLAY", {u8"Gameplay", u8"Gameplay", u8"Gameplay", nullptr, nullptr}},
    {"ALLOWCHEATS", EN(u8"Allow cheats")},
    {"ALLOWCHEATSHINT", EN(u8"Enable in-game cheat keys")},
    {"TUTORIAL", {u8"In-game help", u8"Aide", u8"Hilfe", nullptr, nullptr}},
    {"TUTORIALHINT", EN(u8"Show game instructions and tips as you play")},
    {"COLORBLIND", EN(u8"Colorblind mode")},
    {"COLORBLINDHINT", EN(u8"Show icons to help distinguish colors")},
    {"COLORIZEMOUSE", EN(u8"Colorize mouse")},
    {"COLORIZEMOUSEHINT", EN(u8"Change color of mouse pointer depending on loaded item")},
    {"GRAPHICS", EN(u8"Graphics")},
    {"DETAIL", EN(u8"Detail")},
    {"DETAILHINT", EN(u8"Controls the amount of graphical detail and special effects")},
    {"ENUMDETAIL0", EN(u8"Low")},
    {"ENUMDETAIL1", EN(u8"High")},
    {"ADVANCEDOPTIONS", EN(u8"Advanced Options")},
    {"VIDEOMODE", EN(u8"Video mode")},
    {"VIDEOMODEHINT", EN(u8"Screen resolution")},
    {"ENUMVIDEOMODES0", SAME(u8"320x240")},
    {"ENUMVIDEOMODES1", SAME(u8"640x480")},
    {"ENUMVIDEOMODES2", SAME(u8"800x600")},
    {"ENUMVIDEOMODES3", SAME(u8"1024x768")},
    {"FULLSCREEN", EN(u8"Full screen")},
    {"FULLSCREENHINT", EN(u8"Run game full-screen or in a window")},
    {"VSYNC", EN(u8"V-Sync")},
    {"VSYNCHINT", EN(u8"Use vertical sync for slower but smoother display")},
    {"MAXIMUMFPS", EN(u8"Maximum fps")},
    {"MAXIMUMFPSHINT", EN(u8"Limits the number of frames rendered per second")},
    {"BILINEARFILTER", EN(u8"Bilinear filter")},
    {"BILINEARFILTERHINT", EN(u8"Enable bilinear texture filtering")},
    {"SHOWFPS", EN(u8"Show fps")},
    {"SHOWFPSHINT", EN(u8"Shows on-screen frame rate counter")},
    {"SOUND", EN(u8"Sound")},
    {"SOUNDQUALITY", EN(u8"Audio quality")},
    {"SOUNDQUALITYHINT", EN(u8"Overall sound quality (requires restart)")},
    {"ENUMSOUNDQUALITY0", EN(u8"Low")},
    {"ENUMSOUNDQUALITY1", EN(u8"High")},
    {"ENUMSOUNDQUALITY2", EN(u8"Very high")},
    {"SOUNDVOLUME", EN(u8"Sound volume")},
    {"MUSICVOLUME", EN(u8"Music volume")},
    {"INGAMEMUSIC", EN(u8"In-game music")},
    {"INGAMEMUSICHINT", EN(u8"Enables music while you're playing")},
    {"CONTROLS", EN(u8"Controls")},
    {"CONTROLSHINT", EN(u8"Press the new key or joystick button for this control")},
    {"SWAPMOUSE", {u8"Swap mouse buttons", u8"    Changer boutons souris", u8"   Maustasten tauschen", nullptr,
                   nullptr}},
    {"SWAPMOUSEHINT", EN(u8"Swap the function of the left and right mouse buttons")},
    {"CONTROLS2", {u8"Player 2 Controls", u8"Contrôles du joueur 2", nullptr, nullptr, nullptr}},
    {"CONTROLS2DOTS", {u8"Player 2 controls...", u8"Contrôles du joueur 2", nullptr, nullptr, nullptr}},
    {"SENSITIVITY", EN(u8"Sensitivity")},
    {"SENSITIVITYHINT", EN(u8"Selects the sensitivity of mouse controls")},
    {"ENUMSENSITIVITY0", EN(u8"Minimum")},
    {"ENUMSENSITIVITY1", EN(u8"Low")},
    {"ENUMSENSITIVITY2", EN(u8"Medium")},
    {"ENUMSENSITIVITY3", EN(u8"High")},
    {"ENUMSENSITIVITY4", EN(u8"Maximum")},
    {"CHANGELANGUAGE", EN(u8"Language")},
    {"CHANGELANGUAGETEXT", EN(u8"Please restart the game|and select your new language.")},
};

const GoldenRow serviceTexts[] = {
    {"NETWORKWIZARD", EN(u8"Network Wizard")},
    {"NETWORKWIZARDDOTS", EN(u8"Network Wizard...")},
    {"NETTESTINTRO1", EN(u8"This wizard will help you set up your network.")},
    {"NETTESTINTRO2", EN(u8"Your internet connection will now be tested.")},
    {"NETTESTINTRO3", EN(u8"If your firewall asks,")},
    {"NETTESTINTRO4", EN(u8"please allow access to the internet.")},
    {"RUNTESTONDESKTOP", EN(u8"Run test on desktop")},
    {"RUNTESTONDESKTOPHINT", EN(u8"Run the game in a window for the duration of the test (recommended)")},
    {"NETTESTSUCCESS", EN(u8"Connection test was successful.")},
    {"NETTESTFAIL1", EN(u8"You can continue, but some network features will be unavailable.")},
    {"NETCONFIGTITLE", EN(u8"Network Configuration")},
    {"SELECTYOURCOUNTRY", EN(u8"Your country")},
    {"SELECTYOURCOUNTRYHINT", EN(u8"Tip: Press a letter key to jump directly to a country")},
    {"CHECKCONNECTION", EN(u8"Please check your internet connection and try again.")},
    // The other languages name the high-score options by the word of their
    // own options button.
    {"HIGHSCOREOPTIONSDOTS",
     {u8"More options...", u8"Options...", u8"Einstellungen...", u8"Opzioni...", u8"Opciones..."}},
    {"HIGHSCOREOPTIONS", {u8"More options", u8"Options", u8"Einstellungen", u8"Opzioni", u8"Opciones"}},
    {"UPLOADSCORES", EN(u8"Upload scores")},
    {"UPLOADSCORESHINT", EN(u8"Add your scores to the internet high score tables")},
    {"UPLOADTEXT1", EN(u8"Your data will now be uploaded")},
    {"UPLOADTEXT2", EN(u8"to the Brontal Studios website.")},
    {"UPLOADTEXT3", EN(u8"Please connect to the internet before proceeding.")},
    {"FAILEDWITHCODE", {u8"Failed with status code: %d", nullptr, u8"Fehler %d ist aufgetreten.", nullptr, nullptr}},
    {"WORLDWIDESCORES", EN(u8"World-wide scores")},
    {"WORLDWIDESCORESHINT", EN(u8"View world-wide tables (the game will close)")},
    {"RESETSCORES", EN(u8"Reset scores")},
    {"RESETSCORESHINT", EN(u8"Clears all high scores")},
    {"HELPTITLE", EN(u8"Help")},
    {"DOCUMENTATION", EN(u8"Documentation")},
    {"DOCUMENTATIONHINT", EN(u8"Browse the game documentation (the game will close)")},
    {"ONLINEHELP", EN(u8"On-line help")},
    {"ONLINEHELPHINT", EN(u8"Help on Brontal studios website (the game will close)")},
    {"ERRORREPORTTITLE", EN(u8"Error Reporting")},
    {"ERRORREPORTINTRO1", EN(u8"An error report has been found on your computer.")},
    {"ERRORREPORTINTRO2", EN(u8"Please help us to improve the game")},
    {"ERRORREPORTINTRO3", EN(u8"by submitting your report automatically!")},
    {"ERRORREPORTWIZARD1", EN(u8"Before your error can be reported,")},
    {"ERRORREPORTWIZARD2", EN(u8"you'll need to run the network wizard first.")},
    {"ERRORREPORTUPLOADING", EN(u8"Uploading error data (%s bytes).")},
    {"ERRORREPORTPLEASEWAIT", EN(u8"Please wait...")},
    {"ERRORSERVERISFULL", EN(u8"Server is full.")},
    {"ERRORMINVERSIONCLIENT", EN(u8"You need at least version %s of the game (you have %.2lf).")},
    {"ERRORMINVERSIONSERVER", EN(u8"Server must be at least version %s of the game (it's %.2lf).")},
    {"CONNECTEDTO", EN(u8"Connected to %s")},
    {"DISCONNECTEDFROM", EN(u8"Disconnected from %s")},
    {"QUITDISCONNECTED", EN(u8"Disconnected from server.")},
    {"QUITUSERQUIT", EN(u8"User requested exit.")},
    {"QUITGAMEOVER", EN(u8"Game over.")},
    {"QUITPLAYBACKFINISHED", EN(u8"Playback finished.")},
    {"QUITEMERGENCY", EN(u8"Emergency exit requested.")},
    {"QUITUNKNOWN", EN(u8"Quit for an unknown reason.")},
    {"PLAYERJOINED", EN(u8"Player '%s' joined.")},
    {"PLAYERLEFT", EN(u8"Player '%s' has left the game.")},
    {"INVITINGPLAYERS", EN(u8"Inviting more players...")},
};

const GoldenRow storyAndWorldTexts[] = {
    {"INTRO11", EN(u8"Welcome to Vabo!")},
    {"INTRO21", EN(u8"A crisis is brewing in Marrowdale!")},
    {"INTRO51", EN(u8"Good luck, you'll need it!")},
    {"WIN11", EN(u8"Congratulations!")},
    {"WIN21", EN(u8"You have made it to Marrowdale!")},
    {"WIN61", EN(u8"Well done!")},
    {"VABO", SAME(u8"Vabo")},
    {"CREDITS", EN(u8"Credits")},
    {"CREDITS1A", EN(u8"code & graphics")},
    {"CREDITS2A", EN(u8"music")},
    {"CREDITS3A", EN(u8"research")},
    {"CREDITS4A", EN(u8"logistics")},
    {"CREDITS5A", EN(u8"special thanks")},
    {"CREDITS10A", EN(u8"quality assurance")},
    {"WORLD0", SAME(u8"South Bend")},
    {"WORLD1", SAME(u8"Sugar Creek")},
    {"WORLD2", SAME(u8"Three Forks")},
    {"WORLD3", SAME(u8"Warm Springs")},
    {"WORLD4", SAME(u8"Pikes Peak")},
    {"WORLD5", SAME(u8"Sweetwater")},
    {"WORLD6", SAME(u8"Black Hills")},
    {"WORLD7", SAME(u8"Big Timber")},
    {"WORLD8", SAME(u8"Boulder Junction")},
    {"WORLD9", SAME(u8"Twin Falls")},
    {"WORLD10", SAME(u8"Crystal Creek")},
    {"WORLD11", SAME(u8"North Pass")},
    {"WORLD12", SAME(u8"Pine Grove")},
    {"WORLD13", SAME(u8"Klondike")},
    {"WORLD14",
     {u8"Marrowdale Central", u8"Marrowdale", u8"Marrowdale-City", u8"Marrowdale Centrale", u8"Marrowdale"}},
};

const GoldenRow levelTexts[] = {
    {"PLAY", {u8"Play!", u8"Jouer\u00A0!", nullptr, nullptr, nullptr}},
    {"PLAYNEXTLEVEL", EN(u8"Play next level")},
    {"CONTINUELEVEL", EN(u8"Continue level")},
    {"RESTARTTITLE", EN(u8"Change Station?")},
    {"RESTARTCONFIRM", EN(u8"This will reset your score!")},
    {"NEWWORLD", EN(u8"Well Done!")},
    {"NEWWORLDTEXT",
     EN(u8"Your train has reached:|%s||If you lose the game,|you can start from this station|by clicking on it.")},
    {"SHOWHELPMESSAGES", EN(u8"Show these help messages")},
    {"GAMEOVER", EN(u8"Game Over!")},
    {"TRAINMISSED", EN(u8"Train Missed!")},
    {"LEVELCOMPLETE", {u8"Level Complete!", u8"Niveau terminé!", nullptr, nullptr, nullptr}},
    {"CLICKTOCONTINUE", EN(u8"click to continue")},
    {"STATSPEED", EN(u8"SPEED")},
    {"STATACCURACY", EN(u8"ACCURACY")},
    {"STATEFFICIENCY", EN(u8"EFFICIENCY")},
    {"NOAWARD", EN(u8"NO AWARD")},
    {"BRONZEAWARD", EN(u8"BRONZE AWARD!")},
    {"SILVERAWARD", EN(u8"SILVER AWARD!")},
    {"GOLDAWARD", {u8"GOLD AWARD!", nullptr, u8"GOLD-MEDAILLE!", u8"MEDAGLIA D'ORO", u8"MEDALLA DE ORO"}},
    {"BONUSSPEEDSHOT", EN(u8"speedshot!")},
    {"BONUSCOLORBOMB", EN(u8"color bomb!")},
    {"BONUSFIREBALL", EN(u8"fireball!")},
    {"BONUSREVERSE", EN(u8"reverse!")},
    {"BONUSSLOW", EN(u8"slow!")},
    {"BONUSSTOP", EN(u8"stop!")},
    {"BONUSWILDCARD", EN(u8"wildcard!")},
    {"EXTRALIFE", EN(u8"extra life!")},
    {"STREAKX", {u8"streak x%d", u8"série de x%d", u8"Strähne x%d", u8"serie di x%d", u8"Serie de x%d"}},
    {"TUTORIALLMB", EN(u8"left-click here")},
    {"TUTORIALRMB", EN(u8"right-click here")},
    {"TUTORIALRMBBONUS", EN(u8"grab with claw")},
    {"MENU", {u8"MENU", u8"MENU", u8"MENÜ", u8"MENU", u8"MENÚ"}},
    {"PAUSED", EN(u8"Paused")},
    {"RESUME", EN(u8"Resume game")},
    {"RETURNTOMAP", EN(u8"Return to map")},
    {"RETURNTOMAPHINT", EN(u8"Save your progress & return to the map screen")},
    {"SPACETOCYCLE", EN(u8"press SPACE to cycle through available launcher spots!")},
    {"LEVELX", {u8"Level %d-%d", nullptr, u8"Level %d-%d", nullptr, nullptr}},
};

const GoldenRow tipTexts[] = {
    {"TIP", {u8"Tip", u8"Conseil", u8"Tipp", u8"Suggerimento", u8"Consejo"}},
    {"TIP1", EN(u8"Collect 100 stars to earn an extra life!")},
    {"TIP2", EN(u8"Your claw can collect items|while it's retracting, too!")},
    {"TIP3", EN(u8"You can shoot items over the train's engine!")},
    {"TIP4", EN(u8"Your claw will follow the mouse pointer|even after it has been launched!")},
    {"TIP5", EN(u8"Your mouse pointer shows the color|of the currently loaded item!")},
    {"TIP6", EN(u8"You can still turn and shoot|while your claw is extended!")},
    {"TIP7", EN(u8"You can discard unwanted items|by throwing them away from the train!")},
    {"TIP8", EN(u8"You can use also train slots|as temporary storage for unwanted items!")},
    {"TIP9", EN(u8"You can shoot items over train slots|when they're full!")},
    {"TIP10", EN(u8"You cannot place or retrieve items|when carriages are under a bridge!")},
    {"TIP11", EN(u8"Items you grab with your claw are placed|at the front of the launch queue!")},
    {"TIP12", EN(u8"You need at least|70% for a bronze award,|80% for a silver award,|and 90% for a gold award!")},
    {"TIP13", EN(u8"Your speed rating depends on|how fast you fill each train!")},
    {"TIP14", EN(u8"Your accuracy rating drops|every time you place an item|in the wrong slot!")},
    {"TIP15", EN(u8"To maximize your efficiency rating,|don't miss any bonuses!")},
    {"TIP16", EN(u8"To maximize your efficiency rating,|don't discard any items!")},
    {"TIP17", EN(u8"At the map screen,|you can start the game from|any station you have already reached|by clicking "
                 u8"on it!")},
    {"TIPHOWTOPLAYTITLE", EN(u8"How to Play")},
    {"TIPHOWTOPLAY", EN(u8"Prevent trains from entering the tunnel|by loading carriages with matching items.|~|"
                        u8"\x01 Aim with your mouse|\x01 Left-click to throw items onto the train|"
                        u8"\x01 Right-click to grab wrong items with your claw")},
    {"TIPCHAINREACTIONTITLE", EN(u8"Chain Reaction")},
    {"TIPCHAINREACTION", EN(u8"When carriages of the same color touch,|they explode, generating a star!|~|"
                            u8"Tip: If you have trouble telling colors apart,|"
                            u8"select \"color blind\" in the main menu options.")},
    {"TIPBONUSSLOWTITLE", EN(u8"Slow")},
    {"TIPBONUSSLOW", EN(u8"Use your claw to collect bonuses.|~|This bonus will slow the train down|for a few seconds.")},
    {"TIPBONUSSTOPTITLE", {u8"Stop", u8"Stop", u8"Stop", nullptr, nullptr}},
    {"TIPBONUSSTOP", EN(u8"~|This bonus will temporarily stop|the train dead in its tracks!||"
                        u8"Tip: You can also collect bonuses|by filling their slot|with the correct item!")},
    {"TIPBONUSREVERSETITLE", EN(u8"Reverse")},
    {"TIPBONUSREVERSE", EN(u8"~|This bonus will put all trains|in reverse for a short time.")},
    {"TIPBONUSWILDCARDTITLE", EN(u8"Wildcards")},
    {"TIPBONUSWILDCARD", EN(u8"~|This bonus will give you wildcard items|that can be placed in any slot!")},
    {"TIPBONUSSPEEDSHOTTITLE", EN(u8"Speedshot")},
    {"TIPBONUSSPEEDSHOT", EN(u8"~|This bonus will allow you to throw items|faster and with greater accuracy!")},
    {"TIPBONUSFIREBALLTITLE", EN(u8"Fireballs")},
    {"TIPBONUSFIREBALL", EN(u8"~|Fireballs will fill any slots they touch!")},
    {"TIPBONUSCOLORBOMBTITLE", EN(u8"Color Bombs")},
    {"TIPBONUSCOLORBOMB", EN(u8"~|This bonus will fill all slots|of a particular color!")},
    // Both carriage pages carry one title.
    {"TIPDOUBLECARRIAGETITLE",
     {u8"New Carriage", u8"Nouveau wagon", u8"Neuer Waggon", u8"Nuovo vagone", u8"Nuevo vagón"}},
    {"TIPDOUBLECARRIAGE", EN(u8"~|Some carriages have slots for two items.|You must fill both of them!|")},
    {"TIPTREBBLECARRIAGETITLE",
     {u8"New Carriage", u8"Nouveau wagon", u8"Neuer Waggon", u8"Nuovo vagone", u8"Nuevo vagón"}},
    {"TIPTREBBLECARRIAGE", EN(u8"~|Some carriages have slots for three items.|Fill all of them!")},
    {"TIPLAUNCHERSPOTSTITLE", EN(u8"Launcher Spots")},
    {"TIPLAUNCHERSPOTS", EN(u8"~|Some levels have multiple launcher spots.|Click the middle mouse button|"
                            u8"to cycle through them!||Tip: You can also press the SPACE key.")},
    {"TIPTWINTRACKSTITLE", EN(u8"Twin Tracks")},
    {"TIPTWINTRACKS", EN(u8"Keep your eye on both trains!")},
};

#undef EN
#undef SAME

}  // namespace

TEST_F(LanguageTest, QuotedCommonWordsAreAsGiven)
{
    expectRows(language, commonWords);
}

TEST_F(LanguageTest, QuotedPlayerAndOptionTextsAreAsGiven)
{
    expectRows(language, playerAndOptionTexts);
}

TEST_F(LanguageTest, QuotedServiceTextsAreAsGiven)
{
    expectRows(language, serviceTexts);
}

TEST_F(LanguageTest, QuotedStoryAndWorldTextsAreAsGiven)
{
    expectRows(language, storyAndWorldTexts);
}

TEST_F(LanguageTest, QuotedLevelTextsAreAsGiven)
{
    expectRows(language, levelTexts);
}

TEST_F(LanguageTest, QuotedTipsAreAsGiven)
{
    expectRows(language, tipTexts);
}
