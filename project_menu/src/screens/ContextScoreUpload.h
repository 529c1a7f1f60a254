#pragma once
// The score upload: the settings and high-score record, as it stands in
// memory at the click on Next (728 raw bytes, not the sealed file), posted
// to the web service as the file "Vabodemo.hst", and the outcome shown line
// by line. A failure leaves Next disabled; the player leaves with Cancel or
// Escape. The screen changes nothing in the record or on disk.
#include "engine/Context.h"

class HttpRequest;
class MenuButton;
class MessageViewer;

class ContextScoreUpload : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr const char* PAGE = "/vabo/highscoreupload.php";

    ContextScoreUpload();
    // A running upload goes on alone and frees itself.
    ~ContextScoreUpload() override;

    // The children, the request's outcome, then Next.
    void tickContents(double time, double dt) override;

    MessageViewer* messages = nullptr;
    HttpRequest* request = nullptr;
    MenuButton* buttonNext = nullptr;

private:
    void startUpload();
};
