// The web-service screens in the real program, pointed at a local test
// server through the host variable, with no proxy: a clean first run, a
// crash on purpose, then the error report offered at the next start, the
// network wizard run from it on the desktop, the crash files sent and
// removed, the score upload, and the same upload with the server gone.
// Each step is read from the log (the panel logs every line), from what
// the server received, and from the files in the per-user folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GameProcess.h"
#include "global/SettingsRecord.h"
#include "global/UserFile.h"
#include "support/HttpTestServer.h"
#include "support/MultipartRequest.h"

namespace {

constexpr u32 LANGUAGE_SCREEN_BLUE = 0x301000;
constexpr u32 BUTTON_GREEN = 0x276922;
constexpr float START_X = -140.0f;
// The buttons in the bottom corners and the middle of the bottom row.
constexpr float CORNER_X = 300.0f;
constexpr float CORNER_Y = -250.0f;

class WebScreensEndToEnd : public testing::Test {
protected:
    WebScreensEndToEnd()
    {
        core.files->bUseWad = false;
        e2e::makeGameFolders(game, user);
        server->on("/vabo/nettest.php", HttpTestServer::reply("200 OK", "OK"));
        server->on("/vabo/crashreport.php", HttpTestServer::reply("200 OK", "Report 42 received.\nThank you!\n"));
        server->on("/vabo/highscoreupload.php", HttpTestServer::reply("200 OK", "Scores stored."));
    }

    std::vector<std::string> environment() const
    {
        return {"VABO_WEB_SERVICE_HOST=" + server->address(), "http_proxy="};
    }
    size_t requestsTo(const std::string& path) const
    {
        size_t n = 0;
        for (const std::string& request : server->requests()) {
            n += request.rfind("POST " + path + " ", 0) == 0 ? 1 : 0;
        }
        return n;
    }
    std::string userPath(const std::string& name) const { return user + "/1.30/" + name; }
    static bool menuShows(e2e::GameProcess& run) { return run.waitForViewColour(START_X, 0.0f, BUTTON_GREEN, 10.0); }
    // Space through the logos until the main menu itself shows.
    static bool toMainMenu(e2e::GameProcess& run)
    {
        // The pointer starts on the start button, whose highlight hides its
        // green: once the window answers, the pointer moves off it.
        for (int i = 0; i < 30 && run.running() && run.screenshot() == nullptr; ++i) {
        }
        run.moveTo(0.0f, 150.0f);
        for (int i = 0; i < 3; ++i) {
            if (run.skipToMainMenu() && menuShows(run)) {
                return true;
            }
        }
        return false;
    }
    // The panel's lines as the log has them, from `from` on.
    static void expectLines(const std::string& log, size_t from, const std::vector<std::string>& lines)
    {
        size_t at = from;
        for (const std::string& line : lines) {
            const size_t found = log.find("addMessage(): > " + line + "\n", at);
            ASSERT_NE(found, std::string::npos) << line << "\n" << log.substr(from);
            at = found;
        }
    }
    void keep(e2e::GameProcess& run, const std::string& name)
    {
        if (run.screenshot() == nullptr) {
            ADD_FAILURE() << "no screenshot for " << name;
            return;
        }
        std::filesystem::create_directories(VABO_SCREENSHOT_DIR);
        std::filesystem::copy_file(run.screenshots().back(), VABO_SCREENSHOT_DIR "/e2e-" + name + ".jpg",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    FileCore core{false, false};
    std::string game = core.folder.path + "/game";
    std::string user = core.folder.path + "/user";
    std::unique_ptr<HttpTestServer> server = std::make_unique<HttpTestServer>();
    e2e::VirtualDisplay x{"1280x1024x24"};
};

} // namespace

TEST_F(WebScreensEndToEnd, CrashReportWizardAndScoreUploadAgainstTheService)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    // 1. A fresh start to the main menu, then a clean exit that saves.
    {
        e2e::GameProcess run(game, user, x, environment());
        ASSERT_TRUE(run.waitForColour(4, 4, LANGUAGE_SCREEN_BLUE, 60.0)) << run.log();
        run.clickAt(0.0f, 150.0f);
        ASSERT_TRUE(run.skipToMainMenu()) << run.log();
        run.key("BackSpace");
        run.typeText("Ann");
        run.key("Return");
        ASSERT_TRUE(menuShows(run));
        run.key("alt+F4");
        EXPECT_EQ(run.waitForExit(), 0);
        EXPECT_EQ(run.log().find("Error:"), std::string::npos);
    }
    // 2. Ctrl+Alt+X ends the program through the fatal path.
    {
        e2e::GameProcess run(game, user, x, environment());
        ASSERT_TRUE(toMainMenu(run)) << run.log();
        run.key("ctrl+alt+x");
        EXPECT_NE(run.waitForExit(), 0);
        ASSERT_TRUE(std::filesystem::exists(userPath("crash.Vabodemo.log")));
        ASSERT_TRUE(std::filesystem::exists(userPath("crash.Vabodemo.jpg")));
    }
    const std::string crashLog = TempFolder::readFile(userPath("crash.Vabodemo.log"));
    const std::string crashShot = TempFolder::readFile(userPath("crash.Vabodemo.jpg"));
    std::string uploaded;
    EXPECT_NE(crashLog.find("Crash requested."), std::string::npos);

    // 3. The report comes after the automatic configuration. The log is
    // read once the program has ended; the server is asked as it goes.
    std::string log;
    {
        e2e::GameProcess run(game, user, x, environment());
        // Its wizard button, in the middle of the bottom row.
        ASSERT_TRUE(run.waitForViewColour(START_X, CORNER_Y, BUTTON_GREEN, 60.0)) << run.log();
        keep(run, "error-report");
        // Next is disabled: a click on it sends nothing.
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(0.5);
        EXPECT_EQ(requestsTo("/vabo/crashreport.php"), 0u);
        run.clickAt(0.0f, CORNER_Y);
        e2e::pause(0.5);
        keep(run, "wizard-1");
        // The first Next leaves full screen; the second runs the test in
        // the window.
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        EXPECT_EQ(requestsTo("/vabo/nettest.php"), 0u) << "the first Next only leaves full screen";
        run.focusWindow();
        run.useWindow(800, 600);
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        ASSERT_EQ(requestsTo("/vabo/nettest.php"), 1u);
        keep(run, "wizard-1-done");
        run.clickAt(CORNER_X, CORNER_Y);
        // Full screen again, on page 3; Finish stands where Next was.
        e2e::pause(1.0);
        run.windowWidth = 0;
        keep(run, "wizard-3");
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(0.5);
        // Back on the report, Next is enabled.
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        keep(run, "error-report-sent");
        ASSERT_EQ(requestsTo("/vabo/crashreport.php"), 1u);
        const MultipartRequest report(server->requests().back());
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.requestLine, "POST /vabo/crashreport.php HTTP/1.0");
        ASSERT_EQ(report.partNames(),
                  (std::vector<std::string>{"gameName", "gameVersion", "crashLog", "crashScreenshot"}));
        EXPECT_EQ(report.parts[0].data, "Vabodemo");
        EXPECT_EQ(report.parts[1].data, "1.30");
        EXPECT_EQ(report.parts[2].filename, userPath("crash.Vabodemo.log"));
        EXPECT_EQ(report.parts[2].data, crashLog);
        EXPECT_EQ(report.parts[3].filename, userPath("crash.Vabodemo.jpg"));
        EXPECT_EQ(report.parts[3].data, crashShot);
        EXPECT_TRUE(std::filesystem::exists(userPath("crash.Vabodemo.log"))) << "until the report closes";
        // Finish: the files go, and the logos and the main menu follow.
        run.clickAt(CORNER_X, CORNER_Y);
        ASSERT_TRUE(toMainMenu(run)) << run.log();
        EXPECT_FALSE(std::filesystem::exists(userPath("crash.Vabodemo.log")));
        EXPECT_FALSE(std::filesystem::exists(userPath("crash.Vabodemo.jpg")));

        // 4. High scores, More options, Upload scores: the upload at once.
        run.clickAt(0.0f, -50.0f);
        ASSERT_TRUE(run.waitForViewColour(152.0f, CORNER_Y, BUTTON_GREEN, 5.0)) << "no high scores";
        run.clickAt(252.0f, CORNER_Y);
        ASSERT_TRUE(run.waitForViewColour(START_X, 100.0f, BUTTON_GREEN, 5.0)) << "no high-score options";
        run.clickAt(0.0f, 50.0f);
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        ASSERT_EQ(requestsTo("/vabo/highscoreupload.php"), 1u);
        const MultipartRequest upload(server->requests().back());
        EXPECT_EQ(upload.error, "");
        EXPECT_EQ(upload.requestLine, "POST /vabo/highscoreupload.php HTTP/1.0");
        EXPECT_EQ(upload.headLines,
                  (std::vector<std::string>{
                      "Host: 127.0.0.1", "Content-Length: " + std::to_string(upload.body.size()),
                      "Content-Type: multipart/form-data; boundary=---------------------------7d33992b80330",
                      "User-Agent: hget/1.2", "Pragma: no-cache", "Accept: */*"}));
        ASSERT_EQ(upload.partNames(), std::vector<std::string>{"HSTfile"});
        EXPECT_EQ(upload.parts[0].filename, "Vabodemo.hst");
        ASSERT_EQ(upload.parts[0].data.size(), size_t(SettingsRecord::SIZE));
        uploaded = upload.parts[0].data;
        run.clickAt(CORNER_X, CORNER_Y);

        // 5. With the server gone the upload fails, and says so; a second
        // Next does nothing.
        server.reset();
        run.clickAt(0.0f, 50.0f);
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        keep(run, "upload-failed");
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(0.5);
        run.key("Escape");
        run.key("alt+F4");
        EXPECT_EQ(run.waitForExit(), 0);
        log = run.log();
    }
    EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
    // The byte count with the English separator.
    std::string total = std::to_string(crashLog.size() + crashShot.size());
    for (size_t digits = 3; digits < total.size(); digits += 4) {
        total.insert(total.size() - digits, ",");
    }
    expectLines(log, 0,
                {"An error report has been found on your computer.", "This wizard will help you set up your network.",
                 "Starting...", "Connection test was successful.", "Done.",
                 "Uploading error data (" + total + " bytes).", "Please wait...", "Connected.",
                 "Report 42 received.", "Thank you!", "Done.", "Your data will now be uploaded", "Starting...",
                 "Connected.", "Scores stored.", "Done."});
    const size_t failed = log.find("Your data will now be uploaded", log.find("> Scores stored."));
    ASSERT_NE(failed, std::string::npos);
    const std::string tail = log.substr(failed);
    expectLines(tail, 0,
                {"Starting...", "Request failed (error 111:Connection refused)",
                 "Please check your internet connection and try again.", "Failed."});
    EXPECT_EQ(tail.find("> Connected."), std::string::npos);
    EXPECT_EQ(tail.find("> Done."), std::string::npos);
    EXPECT_EQ(tail.find("> Starting...", tail.find("> Starting...") + 1), std::string::npos) << "Next stayed disabled";
    // The upload was the record as saved at exit, unsealed, but for the
    // time played, which the exit adds.
    setenv("U3_APP_DATA_PATH", user.c_str(), 1);
    SettingsRecord::Image saved{};
    ASSERT_TRUE(loadUserFile(SettingsRecord::getFileName(), SettingsRecord::KEY_TEXT, saved.data(),
                             SettingsRecord::SIZE, "nothing"));
    std::string savedBytes(saved.begin(), saved.end());
    constexpr size_t SECONDS_PLAYED = 704;
    savedBytes.replace(SECONDS_PLAYED, 4, uploaded.substr(SECONDS_PLAYED, 4));
    EXPECT_EQ(savedBytes, uploaded);
    EXPECT_EQ(saved[0x261], 1) << "the wizard was finished";
    setenv("U3_APP_DATA_PATH", core.folder.path.c_str(), 1);
}

TEST_F(WebScreensEndToEnd, ANewPlayerFinishesTheWizardWithNoServiceReachable)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    server.reset();
    RefusingPort nobody;
    std::string log;
    {
        e2e::GameProcess run(game, user, x, {"VABO_WEB_SERVICE_HOST=" + nobody.address(), "http_proxy="});
        ASSERT_TRUE(run.waitForColour(4, 4, LANGUAGE_SCREEN_BLUE, 60.0)) << run.log();
        run.clickAt(0.0f, 150.0f);
        ASSERT_TRUE(run.skipToMainMenu()) << run.log();
        run.key("BackSpace");
        run.typeText("Neo");
        run.key("Return");
        ASSERT_TRUE(menuShows(run));
        // Options, Network Wizard; the test in full screen this time.
        run.clickAt(0.0f, -100.0f);
        ASSERT_TRUE(run.waitForViewColour(START_X, 100.0f, BUTTON_GREEN, 5.0)) << "no options menu";
        run.clickAt(0.0f, -100.0f);
        e2e::pause(0.5);
        run.clickAt(CORNER_X, -200.0f);
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        keep(run, "wizard-1-failed");
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(0.5);
        run.clickAt(CORNER_X, CORNER_Y);
        ASSERT_TRUE(run.waitForViewColour(START_X, 100.0f, BUTTON_GREEN, 5.0)) << "not back on the options";
        run.key("alt+F4");
        EXPECT_EQ(run.waitForExit(), 0);
        log = run.log();
    }
    EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
    expectLines(log, 0,
                {"This wizard will help you set up your network.", "Starting...",
                 "Request failed (error 111:Connection refused)",
                 "Please check your internet connection and try again.",
                 "You can continue, but some network features will be unavailable."});
    EXPECT_EQ(log.find("> Connection test was successful."), std::string::npos);
    EXPECT_EQ(log.find("Restarting to apply configuration."), std::string::npos) << "full screen all along";
    setenv("U3_APP_DATA_PATH", user.c_str(), 1);
    SettingsRecord::Image saved{};
    ASSERT_TRUE(loadUserFile(SettingsRecord::getFileName(), SettingsRecord::KEY_TEXT, saved.data(),
                             SettingsRecord::SIZE, "nothing"));
    EXPECT_EQ(saved[0x261], 1) << "the wizard was finished";
    setenv("U3_APP_DATA_PATH", core.folder.path.c_str(), 1);
}
