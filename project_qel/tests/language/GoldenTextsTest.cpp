// Every text that the descriptions of the meta texts, the key names and the
// country names give word for word, transcribed here by hand and compared
// byte for byte with the compiled table.
#include <vector>

#include "language/LanguageTestSupport.h"

namespace {

#define SAME(t) {t, t, t, t, t}

const GoldenRow metaTexts[] = {
    {"NULL", SAME(u8"")},
    {"LANGUAGENAME", {u8"English", u8"Français", u8"Deutsch", u8"Italiano", u8"Español"}},
    {"LANGUAGECODEPAGE", SAME(u8"")},
    {"THOUSANDSEPARATOR", {u8",", u8" ", u8".", u8".", u8"."}},
    {"DECIMALSEPARATOR", {u8".", u8",", u8".", u8",", u8","}},
    {"PLACEHOLDER0", SAME(u8" ")},
    {"PLACEHOLDER1", SAME(u8" ")},
    {"PLACEHOLDER2", SAME(u8" ")},
    {"PLACEHOLDER3", SAME(u8" ")},
};

const GoldenRow keyTexts[] = {
    {"DIK_NONE", SAME(u8"")},
    {"DIK_UNKNOWN", {u8"UNKNOWN", u8"INCONNUE", u8"UNBEKANNT", u8"SCONOSCIUTO", u8"DESCONOCIDO"}},
    // Arrow keys: one icon byte each in English.
    {"DIK_UP", {u8"\x05", u8"HAUT", u8"HOCH", u8"SU", u8"FLECHA ARRIBA"}},
    {"DIK_LEFT", {u8"\x03", u8"GAUCHE", u8"LINKS", u8"SINISTRA", u8"FLECHA IZQUIERDA"}},
    {"DIK_RIGHT", {u8"\x04", u8"DROITE", u8"RECHTS", u8"DESTRA", u8"FLECHA DERECHA"}},
    {"DIK_DOWN", {u8"\x06", u8"BAS", u8"RUNTER", u8"GIÙ", u8"FLECHA ABAJO"}},
    // Keys named after the layout of each language.
    {"DIK_MINUS", {u8"MINUS", u8") °", u8"ESZETT", u8"APOSTROFO", u8"MENOS"}},
    {"DIK_EQUALS", {u8"EQUALS", u8"= +", u8"AKZENT", u8"ì", u8"IGUAL"}},
    {"DIK_Q", {u8"Q", u8"A", u8"Q", u8"Q", u8"Q"}},
    {"DIK_W", {u8"W", u8"Z", u8"W", u8"W", u8"W"}},
    {"DIK_Y", {u8"Y", u8"Y", u8"Z", u8"Y", u8"Y"}},
    {"DIK_LBRACKET", {u8"LBRACKET", u8"^ ¨", u8"Ü", u8"è", u8"LBRACKET"}},
    {"DIK_RBRACKET", {u8"RBRACKET", u8"$ £", u8"PLUS", u8"PIÙ", u8"RBRACKET"}},
    {"DIK_A", {u8"A", u8"Q", u8"A", u8"A", u8"A"}},
    {"DIK_SEMICOLON", {u8"SEMICOLON", u8"M", u8"Ö", u8"ò", u8"PUNTO Y COMA"}},
    {"DIK_APOSTROPHE", {u8"APOSTROPHE", u8"ù %", u8"Ä", u8"à", u8"APOSTROFE"}},
    {"DIK_GRAVE", {u8"GRAVE", u8"²", u8"GRAVIS", u8"BACKSLASH", u8"GRAVE"}},
    {"DIK_BACKSLASH", {u8"BACKSLASH", u8"* µ", u8"RAUTE", u8"ù", u8"BARRA INVERTIDA"}},
    {"DIK_Z", {u8"Z", u8"W", u8"Y", u8"Z", u8"Z"}},
    {"DIK_M", {u8"M", u8", ?", u8"M", u8"M", u8"M"}},
    {"DIK_COMMA", {u8"COMMA", u8"; .", u8"KOMMA", u8"VIRGOLA", u8"COMA"}},
    {"DIK_PERIOD", {u8"PERIOD", u8": /", u8"PUNKT", u8"PUNTO", u8"PUNTO"}},
    {"DIK_SLASH", {u8"SLASH", u8"! §", u8"BSTRICH", u8"MENO", u8"BARRA"}},
    {"DIK_OEM_102", {u8"OEM 102", u8"< >", u8"SPITZKL", u8"MINORE", u8"OEM 102"}},
    // Modifier, editing and keypad keys.
    {"DIK_BACK", {u8"BACKSPACE", u8"BACKSPACE", u8"RÜCKTASTE", u8"BACKSPACE", u8"RETROCEDER"}},
    {"DIK_RETURN", {u8"ENTER", u8"ENTRÉE", u8"EINGABE", u8"INVIO", u8"RETURN"}},
    {"DIK_LCONTROL", {u8"LCONTROL", u8"CONTROLG", u8"STRG-L", u8"CONTROL SIN.", u8"LCONTROL"}},
    {"DIK_LSHIFT", {u8"LSHIFT", u8"SHIFTG", u8"UMSCH-L", u8"SHIFT SIN.", u8"LSHIFT"}},
    {"DIK_RSHIFT", {u8"RSHIFT", u8"SHIFTD", u8"UMSCH-R", u8"SHIFT DES.", u8"RSHIFT"}},
    {"DIK_LMENU", {u8"LALT", u8"ALTG", u8"ALT-L", u8"ALT", u8"LALT"}},
    {"DIK_RCONTROL", {u8"RCONTROL", u8"CONTROLD", u8"STRG-R", u8"CONTROL DES.", u8"CONTROL DER"}},
    {"DIK_RMENU", {u8"RALT", u8"ALTGR", u8"ALT-R", u8"ALT GR", u8"ALT DERECHO"}},
    {"DIK_LWIN", {u8"LWIN", u8"WING", u8"WIN-L", u8"WIN SIN.", u8"WIN IZQUIERDO"}},
    {"DIK_RWIN", {u8"RWIN", u8"WIND", u8"WIN-R", u8"WIN DES.", u8"WIN DERECHO"}},
    {"DIK_CAPITAL", {u8"CAPITAL", u8"MAJ", u8"FESTSTELL", u8"BLOC MAIUSC", u8"BLOQ MAYÚSCULA"}},
    {"DIK_NUMPAD7", {u8"NUMPAD7", u8"7PAVNUM", u8"NUM7", u8"TASTNUM 7", u8"NUMPAD7"}},
    {"DIK_MULTIPLY", {u8"MULTIPLY", u8"* PAVNUM", u8"MAL", u8"TASTNUM PER", u8"MULTIPLICAR"}},
    {"DIK_SUBTRACT", {u8"SUBTRACT", u8"- PAVNUM", u8"MINUS", u8"TASTNUM MENO", u8"SUBTRACT"}},
    {"DIK_ADD", {u8"ADD", u8"+ PAVNUM", u8"PLUS", u8"TASTNUM PIÙ", u8"ADD"}},
    {"DIK_DECIMAL", {u8"DECIMAL", u8". PAVNUM", u8"DEZIMAL", u8"TASTNUM PUNTO", u8"DECIMAL"}},
    {"DIK_DIVIDE", {u8"DIVIDE", u8"/ PAVNUM", u8"DURCH", u8"TASTNUM DIVISO", u8"DIVIDIR"}},
    {"DIK_NUMPADCOMMA",
     {u8"NUMPADCOMMA", u8"NUMPADCOMMA", u8"NUMKOMMA", u8"TASTNUM VIRGOLA", u8"COMA TECLADO NUMÉRICO"}},
    {"DIK_NUMPADENTER",
     {u8"NUMPADENTER", u8"ENTRÉEPAV", u8"NUMPADEING", u8"TASTNUM INVIO", u8"INTRO T NUM"}},
    {"DIK_PRIOR", {u8"PRIOR", u8"HAUTPAGE", u8"BILDHOCH", u8"PAG SU", u8"REPÁG"}},
    {"DIK_NEXT", {u8"NEXT", u8"BASPAGE", u8"BILDRUNTER", u8"PAG GIÙ", u8"AVPÁG"}},
    {"DIK_INSERT", {u8"INSERT", u8"INSER", u8"EINFG", u8"INS", u8"INSERT"}},
    {"DIK_DELETE", {u8"DELETE", u8"SUPPR", u8"ENTF", u8"CANC", u8"SUPR"}},
    {"DIK_NUMLOCK", {u8"NUMLOCK", u8"VERRNUM", u8"NUM\t\t", u8"BLOC NUM", u8"BLOQ NUM"}},
    {"DIK_NUMPAD0", {u8"NUMPAD0", u8"0PAVNUM", u8"NUM0", u8"TASTNUM 0", u8"NUMPAD0"}},
    {"DIK_ESCAPE", {u8"ESC"}},
    {"DIK_1", SAME(u8"1")},
    {"DIK_ABNT_C1", SAME(u8"ABNT C1")},
    {"DIK_ABNT_C2", SAME(u8"ABNT C2")},
    // Joystick and mouse controls.
    {"DIK_JOYUP", {u8"JOYUP", u8"MANETTEHAUT", u8"JOY-HOCH", u8"JOY SU", u8"JOYUP"}},
    {"DIK_JOYDOWN", {u8"JOYDOWN", u8"MANETTEBAS", u8"JOY-RUNTER", u8"JOY GIÙ", u8"JOYDOWN"}},
    {"DIK_JOYLEFT", {u8"JOYLEFT", u8"MANETTEGAUCHE", u8"JOY-LINKS", u8"JOY SIN.", u8"JOYLEFT"}},
    {"DIK_JOYRIGHT", {u8"JOYRIGHT", u8"MANETTEDROITE", u8"JOY-RECHTS", u8"JOY DES.", u8"JOYRIGHT"}},
    {"DIK_MOUSEUP", {u8"MOUSEUP", u8"SOURISHAUT", u8"MAUS-HOCH", u8"MOUSE SU", u8"MOUSE ARRIBA"}},
    {"DIK_MOUSEDOWN", {u8"MOUSEDOWN", u8"SOURISBAS", u8"MAUS-RUNTER", u8"MOUSE GIÙ", u8"MOUSE ABAJO"}},
    {"DIK_MOUSELEFT",
     {u8"MOUSELEFT", u8"SOURISGAUCHE", u8"MAUS-LINKS", u8"MOUSE SIN.", u8"MOUSE IZQUIERDO"}},
    {"DIK_MOUSERIGHT",
     {u8"MOUSERIGHT", u8"SOURISDROITE", u8"MAUS-RECHTS", u8"MOUSE DES.", u8"MOUSE DERECHO"}},
    {"DIK_JOYBUTTON7", {u8"JOYBUTTON7", u8"MANETTEBTN7", u8"JOY-KNOPF7", u8"JOYBUTTON7", u8"JOYBUTTON7"}},
    {"DIK_MOUSEBUTTON0",
     {u8"MOUSEBUTTON0", u8"SOURISBTN0", u8"MAUS-KNOPF0", u8"MOUSE PULS.0", u8"MOUSE BOTON 0"}},
    {"DIK_MOUSEBUTTON3", {u8"MOUSEBUTTON3"}},
};

const GoldenRow countryTexts[] = {
    {"COUNTRYNONE",
     {u8"not specified", u8"non spécifié", u8"keine Angabe", u8"non specificato", u8"Sin especificar"}},
    {"COUNTRYCD",
     {u8"Congo, the Democratic Republic of the", u8"Congo, République démocratique du", nullptr,
      u8"Congo (ex Zaire)", nullptr}},
    {"COUNTRYBB", {u8"Barbados", u8"Barbade, La", nullptr, nullptr, nullptr}},
    {"COUNTRYRE", {u8"Reunion", u8"Réunion, La", nullptr, nullptr, nullptr}},
    {"COUNTRYEG", {u8"Egypt", u8"Egypte", nullptr, nullptr, nullptr}},
    {"COUNTRYEC", {u8"Ecuador", u8"Equateur", nullptr, nullptr, nullptr}},
    {"COUNTRYCK", {u8"Cook Islands", u8"Iles Cook", nullptr, nullptr, nullptr}},
    {"COUNTRYGB", {u8"United Kingdom", nullptr, u8"Vereinigtes Königreich / UK", nullptr, nullptr}},
    {"COUNTRYUS",
     {u8"United States", nullptr, u8"Vereinigte Staaten von Amerika / USA", nullptr, nullptr}},
    {"COUNTRYIR",
     {u8"Iran, Islamic Republic of", nullptr, nullptr, u8"Iran", u8"República Islámica de Irán"}},
    {"COUNTRYLA", {u8"Lao People's Democratic Republic", nullptr, nullptr, u8"Laos", nullptr}},
    {"COUNTRYRU", {nullptr, nullptr, nullptr, u8"Russia", nullptr}},
    {"COUNTRYFM",
     {u8"Micronesia, Federated States of", nullptr, nullptr, nullptr,
      u8"Estados Federados de Micronesia"}},
    {"COUNTRYCI", {u8"Cote d'Ivoire"}},
    {"COUNTRYCC", {u8"Cocos Islands"}},
    {"COUNTRYBO", {u8"Bolivia"}},
    {"COUNTRYTW", {u8"Taiwan"}},
    {"COUNTRYVN", {u8"Viet Nam"}},
    {"COUNTRYST", {u8"Sao Tome and Principe"}},
    {"COUNTRYBA", {u8"Bosnia and Herzegowina"}},
    {"COUNTRYCV", {u8"Cape Verde"}},
    {"COUNTRYCZ", {u8"Czech Republic"}},
    {"COUNTRYFK", {u8"Falkland Islands / Malvinas"}},
    {"COUNTRYHM", {u8"Heard and Mc Donald Islands"}},
    {"COUNTRYVA", {u8"Holy See / Vatican City State"}},
    {"COUNTRYKP", {u8"Korea, North"}},
    {"COUNTRYKR", {u8"Korea, South"}},
    {"COUNTRYLY", {u8"Libyan Arab Jamahiriya"}},
    {"COUNTRYMO", {u8"Macau"}},
    {"COUNTRYMK", {u8"F.Y.R.O.M."}},
    {"COUNTRYMD", {u8"Moldova, Republic of"}},
    {"COUNTRYGS", {u8"South Georgia / South Sandwich Islands"}},
    {"COUNTRYSH", {u8"St. Helena"}},
    {"COUNTRYPM", {u8"St. Pierre and Miquelon"}},
    {"COUNTRYSJ", {u8"Svalbard and Jan Mayen Islands"}},
    {"COUNTRYSZ", {u8"Swaziland"}},
    {"COUNTRYTZ", {u8"Tanzania, United Republic of"}},
    {"COUNTRYTR", {u8"Turkey"}},
    {"COUNTRYVG", {u8"Virgin Islands, British"}},
    {"COUNTRYVI", {u8"Virgin Islands, U.S."}},
    {"COUNTRYWF", {u8"Wallis and Futuna Islands"}},
    {"COUNTRYTP", {u8"East Timor"}},
    {"COUNTRYFX", {u8"France, Metropolitan"}},
    {"COUNTRYAN", {u8"Netherlands Antilles"}},
    {"COUNTRYAF", {u8"Afghanistan"}},
    {"COUNTRYDZ", {u8"Algeria"}},
    {"COUNTRYAE", {u8"United Arab Emirates"}},
    {"COUNTRYDE", {u8"Germany"}},
    {"COUNTRYES", {u8"Spain"}},
    {"COUNTRYMG", {u8"Madagascar"}},
    {"COUNTRYYE", {u8"Yemen"}},
    {"COUNTRYRS", {u8"Serbia"}},
    {"COUNTRYME", {u8"Montenegro"}},
    {"COUNTRYZM", {u8"Zambia"}},
    {"COUNTRYZW", {u8"Zimbabwe"}},
    {"COUNTRYAD", SAME(u8"Andorra")},
    {"COUNTRYAO", SAME(u8"Angola")},
    {"COUNTRYBF", SAME(u8"Burkina Faso")},
};

#undef SAME

}  // namespace

TEST_F(LanguageTest, QuotedMetaKeyAndCountryTextsAreAsGiven)
{
    expectRows(language, metaTexts);
    expectRows(language, keyTexts);
    expectRows(language, countryTexts);
}

// English names every key after its identifier, with these exceptions.
TEST_F(LanguageTest, EnglishKeyNamesFollowTheIdentifiers)
{
    const std::pair<const char*, const char*> exceptions[] = {
        {"DIK_NONE", ""},       {"DIK_ESCAPE", "ESC"}, {"DIK_BACK", "BACKSPACE"}, {"DIK_RETURN", "ENTER"},
        {"DIK_LMENU", "LALT"},  {"DIK_RMENU", "RALT"}, {"DIK_LEFT", "\x03"},      {"DIK_RIGHT", "\x04"},
        {"DIK_UP", "\x05"},     {"DIK_DOWN", "\x06"},
    };
    for (int id = Language::DIK_NONE; id <= Language::DIK_MOUSEBUTTON3; ++id) {
        if (id == Language::DIK_UNKNOWN) {
            continue;
        }
        const std::string name = Language::nameOf(id);
        std::string expected = name.substr(4);
        for (char& c : expected) {
            c = c == '_' ? ' ' : c;
        }
        for (const auto& [exceptionName, exceptionText] : exceptions) {
            if (name == exceptionName) {
                expected = exceptionText;
            }
        }
        EXPECT_EQ(text(0, id), expected) << name;
    }
}

// Numbered controls: the stem of each language followed by the number.
TEST_F(LanguageTest, NumberedControlsCarryTheirNumber)
{
    const char* joystick[LANGUAGE_MAX] = {"JOYBUTTON", "MANETTEBTN", "JOY-KNOPF", "JOYBUTTON", "JOYBUTTON"};
    const char* mouse[LANGUAGE_MAX] = {"MOUSEBUTTON", "SOURISBTN", "MAUS-KNOPF", "MOUSE PULS.",
                                       "MOUSE BOTON "};
    const char* keypad[LANGUAGE_MAX][2] = {
        {"NUMPAD", ""}, {"", "PAVNUM"}, {"NUM", ""}, {"TASTNUM ", ""}, {"NUMPAD", ""}};
    const int keypadIds[10] = {Language::DIK_NUMPAD0, Language::DIK_NUMPAD1, Language::DIK_NUMPAD2,
                               Language::DIK_NUMPAD3, Language::DIK_NUMPAD4, Language::DIK_NUMPAD5,
                               Language::DIK_NUMPAD6, Language::DIK_NUMPAD7, Language::DIK_NUMPAD8,
                               Language::DIK_NUMPAD9};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        for (int n = 0; n < 32; ++n) {
            EXPECT_EQ(text(lang, Language::DIK_JOYBUTTON0 + n), joystick[lang] + std::to_string(n));
        }
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(text(lang, Language::DIK_MOUSEBUTTON0 + n), mouse[lang] + std::to_string(n));
        }
        for (int n = 0; n < 10; ++n) {
            EXPECT_EQ(text(lang, keypadIds[n]),
                      keypad[lang][0] + std::to_string(n) + keypad[lang][1]);
        }
    }
}
