// The screens that talk to the web service, after a real start-up and
// against the local test server: the network wizard's outcomes and pages,
// the error report's crash files, and the score upload, each read from the
// panel's lines, the settings record and what the server received.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "config/Config.h"
#include "global/UserFiles.h"
#include "global/WebService.h"
#include "gui/MenuBool.h"
#include "gui/MenuButton.h"
#include "gui/MenuCountry.h"
#include "gui/MessageViewer.h"
#include "net/HttpRequest.h"
#include "net/HttpTestSupport.h"
#include "screens/ContextErrorReport.h"
#include "screens/ContextHighScoresOptions.h"
#include "screens/ContextNetworkWizard1.h"
#include "screens/ContextNetworkWizard3.h"
#include "screens/ContextScoreUpload.h"
#include "screens/ScreenCore.h"
#include "screens/ScreenLayout.h"
#include "support/HttpTestServer.h"
#include "support/MultipartRequest.h"

namespace {

// The game's web service is the given address for one test.
class HostSetting {
public:
    explicit HostSetting(const std::string& host) { setenv("VABO_WEB_SERVICE_HOST", host.c_str(), 1); }
    ~HostSetting() { unsetenv("VABO_WEB_SERVICE_HOST"); }
    HostSetting(const HostSetting&) = delete;
    HostSetting& operator=(const HostSetting&) = delete;
};

class WebScreens : public ::testing::Test {
protected:
    template <class Screen>
    Screen* active()
    {
        return dynamic_cast<Screen*>(core.manager()->getActive());
    }
    void click(const MenuItem* item) { core.click(item->position.x, item->position.y); }
    // Frames until the request has ended on its thread, then the frame
    // that polls it.
    void awaitReply(HttpRequest* request)
    {
        ASSERT_NE(request, nullptr);
        const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (request->state.load() == HttpRequest::RUNNING && std::chrono::steady_clock::now() < guard) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        core.frame();
    }
    // The panel's last lines, oldest first.
    static std::vector<std::string> lastLines(const MessageViewer* panel, size_t count)
    {
        std::vector<std::string> tail;
        for (size_t i = panel->lines.size() - std::min(count, panel->lines.size()); i < panel->lines.size(); ++i) {
            tail.push_back(panel->lines[i]);
        }
        return tail;
    }
    // Page 1 in a window: its first Next runs the test. The server's answer
    // waits until Next has been seen disabled, as a fast reply would enable
    // it again first; a test sent elsewhere (served false) cannot be held.
    ContextNetworkWizard1* runWizardTest(bool served = true)
    {
        core.global->settings.fullscreen = false;
        auto* page = new ContextNetworkWizard1();
        core.manager()->add(page);
        core.frame();
        server.hold();
        click(page->buttonNext);
        if (served) {
            EXPECT_TRUE(page->buttonNext->bInactive) << "while the test runs";
        }
        server.release();
        awaitReply(page->request);
        return page;
    }

    ScreenCore core;
    ProxySetting noProxy;
    HttpTestServer server;
    HostSetting host{server.address()};
};

const char* const CHECK = "Please check your internet connection and try again.";
const char* const CONTINUE = "You can continue, but some network features will be unavailable.";

TEST_F(WebScreens, TheWizardPassesOnlyAnOkReply)
{
    RefusingPort refusing;
    struct Case {
        const char* name;
        HttpTestServer::Reply reply;
        bool refused;
        std::vector<std::string> shown;
        bool addressKept;
    };
    const Case cases[] = {
        {"OK", HttpTestServer::reply("200 OK", "OK"), false,
         {"Starting...", "Connection test was successful.", "Done."}, true},
        {"OK and a line break", HttpTestServer::reply("200 OK", "OK\r\n"), false, {"Starting...", "OK", CHECK, CONTINUE},
         false},
        {"another body", HttpTestServer::reply("200 OK", "Maintenance\nBack soon"), false,
         {"Maintenance", "Back soon", CHECK, CONTINUE}, false},
        {"500", HttpTestServer::reply("500 Internal Server Error", "oops"), false,
         {"Failed with HTTP status code 500 (Internal Server Error)", CHECK, CONTINUE}, false},
        {"refused", {}, true, {"Request failed (error 111:Connection refused)", CHECK, CONTINUE}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostSetting where(c.refused ? refusing.address() : server.address());
        server.on("/vabo/nettest.php", c.reply);
        NetAddress address;
        address.set(0x0A000001, 23006);
        core.global->settings.netAddress = address;
        ContextNetworkWizard1* page = runWizardTest(!c.refused);
        EXPECT_EQ(lastLines(page->messages, c.shown.size()), c.shown);
        EXPECT_FALSE(page->buttonNext->bInactive);
        EXPECT_EQ(core.global->settings.netAddress.getIP(), c.addressKept ? 0x0A000001u : 0u);
        EXPECT_EQ(core.global->settings.netAddress.getPort(), c.addressKept ? 23006 : 0);
        core.type(SDLK_ESCAPE);
        EXPECT_EQ(core.manager()->getActive(), nullptr);
    }
    const MultipartRequest sent(server.requests().back());
    EXPECT_EQ(sent.error, "");
    EXPECT_EQ(sent.requestLine, "POST /vabo/nettest.php HTTP/1.0");
    ASSERT_EQ(sent.partNames(), (std::vector<std::string>{"gameName", "gameVersion"}));
    EXPECT_EQ(sent.parts[0].data, "Vabodemo");
    EXPECT_FALSE(sent.parts[0].hasFilename);
    EXPECT_EQ(sent.parts[1].data, "1.30");
}

TEST_F(WebScreens, TheWizardTestsWhileAnotherProgramHoldsItsPort)
{
    // Held by this test, or already by some other program: either way the
    // wizard cannot have it.
    const int holder = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(ContextNetworkWizard1::GAME_PORT);
    bind(holder, reinterpret_cast<sockaddr*>(&any), sizeof(any));
    server.on("/vabo/nettest.php", HttpTestServer::reply("200 OK", "OK"));
    ContextNetworkWizard1* page = runWizardTest();
    close(holder);
    EXPECT_EQ(lastLines(page->messages, 2), (std::vector<std::string>{"Connection test was successful.", "Done."}));
}

TEST_F(WebScreens, InFullScreenTheTestRunsOnTheDesktopAndFullScreenComesBack)
{
    server.on("/vabo/nettest.php", HttpTestServer::reply("200 OK", "OK"));
    SettingsRecord& record = core.global->settings;
    record.fullscreen = true;
    for (const bool finish : {true, false}) {
        SCOPED_TRACE(finish ? "Finish" : "Cancel");
        auto* page = new ContextNetworkWizard1();
        core.manager()->add(page);
        core.frame();
        EXPECT_FALSE(page->checkRunOnDesktop->bHidden);
        EXPECT_EQ(page->bRunOnDesktop, !record.wizardFinished) << "on until the wizard has been finished";
        page->bRunOnDesktop = true;
        click(page->buttonNext);
        EXPECT_FALSE(record.fullscreen) << "the first Next leaves full screen";
        EXPECT_TRUE(page->checkRunOnDesktop->bHidden);
        EXPECT_EQ(page->request, nullptr);
        click(page->buttonNext);
        awaitReply(page->request);
        EXPECT_FALSE(record.fullscreen) << "the test runs on the desktop";
        click(page->buttonNext);
        auto* last = active<ContextNetworkWizard3>();
        ASSERT_NE(last, nullptr);
        EXPECT_TRUE(record.fullscreen) << "back when the page moves on";
        const i32 country = record.countryIndex;
        // The chooser's right arrow.
        core.click(last->country->position.x + 256.0f - 24.0f, last->country->position.y);
        EXPECT_EQ(record.countryIndex, country + 1) << "a click on the arrow steps the country";
        if (finish) {
            click(last->buttonFinish);
        } else {
            core.type(SDLK_ESCAPE);
        }
        core.frame();
        EXPECT_EQ(core.manager()->getActive(), nullptr) << "both pages are gone";
        EXPECT_EQ(record.wizardFinished, true) << "only Finish sets it, and Cancel leaves it";
        EXPECT_NE(record.countryIndex, country) << "the country chosen stays";
        EXPECT_TRUE(record.fullscreen);
        EXPECT_TRUE(isOnDisk(record)) << "written when the wizard is left";
    }
    // Left on the desktop: written as the player had it, in full screen.
    auto* page = new ContextNetworkWizard1();
    core.manager()->add(page);
    core.frame();
    page->bRunOnDesktop = true;
    click(page->buttonNext);
    EXPECT_FALSE(record.fullscreen);
    core.type(SDLK_ESCAPE);
    core.frame();
    EXPECT_EQ(core.manager()->getActive(), nullptr);
    EXPECT_TRUE(record.fullscreen);
    EXPECT_TRUE(isOnDisk(record));
}

TEST_F(WebScreens, OnlyFinishOnTheLastPageFinishesTheWizard)
{
    SettingsRecord& record = core.global->settings;
    for (const bool finish : {false, true}) {
        record.wizardFinished = false;
        auto* last = new ContextNetworkWizard3();
        core.manager()->add(last);
        core.frame();
        if (finish) {
            click(last->buttonFinish);
        } else {
            core.type(SDLK_ESCAPE);
        }
        core.frame();
        EXPECT_EQ(core.manager()->getActive(), nullptr);
        EXPECT_EQ(record.wizardFinished, finish);
    }
}

// The crash files as the fatal path leaves them; the log is 12,345 bytes.
void writeCrashFiles()
{
    std::ofstream(Config::getCRASHLOGfile(), std::ios::binary) << std::string(12345, 'L');
    std::ofstream(Config::getCRASHSCREENSHOTfile(), std::ios::binary) << std::string("\xff\xd8\0\r\n\xff\xd9", 7);
}

bool crashFilesThere()
{
    return std::filesystem::exists(Config::getCRASHLOGfile()) &&
           std::filesystem::exists(Config::getCRASHSCREENSHOTfile());
}

TEST_F(WebScreens, CancelRemovesTheCrashFilesOnlyOnceTheWizardWasFinished)
{
    EXPECT_FALSE(ContextErrorReport::hasCrashLog());
    std::ofstream(Config::getCRASHSCREENSHOTfile()) << "x";
    EXPECT_FALSE(ContextErrorReport::hasCrashLog()) << "a screenshot alone is no report";
    writeCrashFiles();
    EXPECT_TRUE(ContextErrorReport::hasCrashLog());
    for (const bool finished : {false, true}) {
        core.global->settings.wizardFinished = finished;
        auto* report = new ContextErrorReport();
        core.manager()->add(report);
        core.frame();
        EXPECT_EQ(report->buttonNext->bInactive, !finished);
        EXPECT_EQ(report->buttonNetworkWizard == nullptr, finished);
        core.type(SDLK_ESCAPE);
        EXPECT_EQ(core.manager()->getActive(), report) << "Escape does nothing here";
        core.click(-float(halfViewWidth()) + 100.0f, -float(halfViewHeight()) + 50.0f);
        core.frame();
        EXPECT_EQ(core.manager()->getActive(), nullptr);
        EXPECT_EQ(crashFilesThere(), !finished);
    }
}

TEST_F(WebScreens, TheReportOpensTheWizardThenSendsTheCrashFiles)
{
    server.on("/vabo/nettest.php", HttpTestServer::reply("200 OK", "OK"));
    server.on("/vabo/crashreport.php", HttpTestServer::reply("200 OK", "Report 17 stored.\r\nThank you!\r\n"));
    writeCrashFiles();
    core.global->settings.fullscreen = false;
    auto* report = new ContextErrorReport();
    core.manager()->add(report);
    core.frame();
    click(report->buttonNetworkWizard);
    auto* page = active<ContextNetworkWizard1>();
    ASSERT_NE(page, nullptr);
    click(page->buttonNext);
    awaitReply(page->request);
    click(page->buttonNext);
    click(active<ContextNetworkWizard3>()->buttonFinish);
    core.frame();
    ASSERT_EQ(core.manager()->getActive(), report);
    EXPECT_FALSE(report->buttonNext->bInactive);
    EXPECT_TRUE(report->buttonNetworkWizard->bInactive);

    // The reply waits until the lines before it have been read, however
    // long after the request the screen looks.
    const size_t requestsBefore = server.requests().size();
    server.hold();
    click(report->buttonNext);
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (server.requests().size() == requestsBefore && std::chrono::steady_clock::now() < guard) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    core.frame();
    EXPECT_EQ(report->request->state.load(), HttpRequest::RUNNING);
    EXPECT_EQ(lastLines(report->messages, 2),
              (std::vector<std::string>{"Uploading error data (12,352 bytes).", "Please wait..."}));
    server.release();
    awaitReply(report->request);
    EXPECT_EQ(lastLines(report->messages, 4),
              (std::vector<std::string>{"Connected.", "Report 17 stored.", "Thank you!", "Done."}));
    EXPECT_EQ(report->buttonNext->caption, "Finish");
    const MultipartRequest sent(server.requests().back());
    EXPECT_EQ(sent.error, "");
    EXPECT_EQ(sent.requestLine, "POST /vabo/crashreport.php HTTP/1.0");
    ASSERT_EQ(sent.partNames(),
              (std::vector<std::string>{"gameName", "gameVersion", "crashLog", "crashScreenshot"}));
    EXPECT_EQ(sent.parts[2].filename, Config::getCRASHLOGfile());
    EXPECT_EQ(sent.parts[2].data, std::string(12345, 'L'));
    EXPECT_EQ(sent.parts[3].filename, Config::getCRASHSCREENSHOTfile());
    EXPECT_EQ(sent.parts[3].data, std::string("\xff\xd8\0\r\n\xff\xd9", 7));
    EXPECT_TRUE(crashFilesThere()) << "until the report closes";
    click(report->buttonNext);
    core.frame();
    EXPECT_EQ(core.manager()->getActive(), nullptr);
    EXPECT_FALSE(crashFilesThere());
}

TEST_F(WebScreens, ACrashFileThatCannotBeReadIsLeftOutOfTheReport)
{
    server.on("/vabo/crashreport.php", HttpTestServer::reply("200 OK", "OK"));
    writeCrashFiles();
    // A folder where the screenshot should be: it exists but cannot be read.
    std::filesystem::remove(Config::getCRASHSCREENSHOTfile());
    std::filesystem::create_directory(Config::getCRASHSCREENSHOTfile());
    core.global->settings.wizardFinished = true;
    auto* report = new ContextErrorReport();
    core.manager()->add(report);
    core.frame();
    click(report->buttonNext);
    awaitReply(report->request);
    const MultipartRequest sent(server.requests().back());
    EXPECT_EQ(sent.error, "");
    EXPECT_EQ(sent.partNames(), (std::vector<std::string>{"gameName", "gameVersion", "crashLog"}));
    std::filesystem::remove(Config::getCRASHSCREENSHOTfile());
}

TEST_F(WebScreens, UploadScoresOpensTheWizardUntilItWasFinished)
{
    for (const bool finished : {false, true}) {
        core.global->settings.wizardFinished = finished;
        auto* options = new ContextHighScoresOptions();
        core.manager()->add(options);
        core.frame();
        EXPECT_FALSE(options->uploadButton->bInactive);
        click(options->uploadButton);
        Context* opened = core.manager()->getActive();
        EXPECT_EQ(dynamic_cast<ContextScoreUpload*>(opened) != nullptr, finished);
        EXPECT_EQ(dynamic_cast<ContextNetworkWizard1*>(opened) != nullptr, !finished);
        core.type(SDLK_ESCAPE);
        core.type(SDLK_ESCAPE);
        EXPECT_EQ(core.manager()->getActive(), nullptr);
    }
}

TEST_F(WebScreens, TheScoreUploadPostsTheRecordAndTellsTheOutcome)
{
    RefusingPort refusing;
    for (const char* const status : {"200 OK", "404 Not Found", ""}) {
        const bool reachable = *status != '\0';
        SCOPED_TRACE(reachable ? status : "refused");
        server.on("/vabo/highscoreupload.php", HttpTestServer::reply(status, "Rank 3"));
        HostSetting where(reachable ? server.address() : refusing.address());
        auto* upload = new ContextScoreUpload();
        core.manager()->add(upload);
        core.frame();
        const SettingsRecord::Image record = core.global->settings.toImage();
        // A served reply waits until "Starting..." has been read as the last
        // line; a refused one comes at once, so its lines are read after.
        server.hold();
        click(upload->buttonNext);
        if (reachable) {
            EXPECT_EQ(lastLines(upload->messages, 1), std::vector<std::string>{"Starting..."});
        }
        server.release();
        awaitReply(upload->request);
        if (std::string(status) == "404 Not Found") {
            EXPECT_EQ(lastLines(upload->messages, 3),
                      (std::vector<std::string>{"Failed with HTTP status code 404 (Not Found)", CHECK, "Failed."}))
                << "the reason phrase without the carriage return of its line";
            EXPECT_EQ(upload->request->errorText, "Failed with HTTP status code 404 (Not Found\r)");
            core.type(SDLK_ESCAPE);
        } else if (reachable) {
            EXPECT_EQ(lastLines(upload->messages, 3), (std::vector<std::string>{"Connected.", "Rank 3", "Done."}));
            EXPECT_FALSE(upload->buttonNext->bInactive);
            const MultipartRequest sent(server.requests().back());
            EXPECT_EQ(sent.error, "");
            EXPECT_EQ(sent.requestLine, "POST /vabo/highscoreupload.php HTTP/1.0");
            ASSERT_EQ(sent.partNames(), std::vector<std::string>{"HSTfile"});
            EXPECT_EQ(sent.parts[0].filename, "Vabodemo.hst");
            EXPECT_EQ(sent.parts[0].data, std::string(record.begin(), record.end()));
            click(upload->buttonNext);
        } else {
            EXPECT_EQ(lastLines(upload->messages, 4),
                      (std::vector<std::string>{"Starting...", "Request failed (error 111:Connection refused)",
                                                CHECK, "Failed."}));
            EXPECT_TRUE(upload->buttonNext->bInactive);
            core.type(SDLK_ESCAPE);
        }
        core.frame();
        EXPECT_EQ(core.manager()->getActive(), nullptr);
    }
}

TEST_F(WebScreens, ClosingWhileARequestRunsLeavesItToItsThread)
{
    server.on("/vabo/highscoreupload.php", {"", HttpTestServer::Ending::Silent});
    auto* upload = new ContextScoreUpload();
    core.manager()->add(upload);
    core.frame();
    click(upload->buttonNext);
    EXPECT_EQ(upload->request->state.load(), HttpRequest::RUNNING);
    core.type(SDLK_ESCAPE);
    EXPECT_EQ(core.manager()->getActive(), nullptr) << "closed at once; the engine ends the request";
}

TEST(WebService, TheEnvironmentNamesTheHostWhenItIsOne)
{
    const UString builtIn = webServiceHost();
    struct Case {
        const char* value;
        bool taken;
    };
    const Case cases[] = {
        {"scores.example.org", true}, {"127.0.0.1:8080", true},   {"a-b.c", true},         {"localhost", true},
        {"", false},                  {":80", false},             {"host:", false},        {"host:8o", false},
        {"host/path", false},         {"host name", false},       {"h\"ost", false},       {"host;rm -rf ~", false},
        {"http://host", false},       {"host:80:90", false},      {"user@host", false},    {"host\r\nX: y", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(isWebServiceHost(c.value), c.taken);
        HostSetting host(c.value);
        EXPECT_EQ(webServiceHost(), c.taken ? UString(c.value) : builtIn);
        EXPECT_EQ(webServiceAddress("/vabo/onlinehelp.php"), "http://" + webServiceHost() + "/vabo/onlinehelp.php");
    }
    EXPECT_EQ(webServiceHost(), builtIn) << "unset";
}

} // namespace
