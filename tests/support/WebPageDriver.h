// Drives one of the program's web views in a test: counts the pages the view reports loaded, runs a step and waits
// for the page it loads, runs scripts in the page and waits for their results, and follows the page's links. It
// takes the view's OnDocumentComplete for its count. Header only: it is used by the suites that link the web view.
#pragma once

#include "HtmlEscape.h"
#include "TestSupport.h"
#include "WebBrowser.h"

#include <QImage>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class WebPageDriver
{
public:
    explicit WebPageDriver(TCppWebBrowser* browser) : browser(browser)
    {
        browser->OnDocumentComplete = [this] { ++loaded; };
    }
    ~WebPageDriver()
    {
        if (browser)
            browser->OnDocumentComplete = nullptr;
    }
    WebPageDriver(const WebPageDriver&) = delete;
    WebPageDriver& operator=(const WebPageDriver&) = delete;

    int pagesLoaded() const { return loaded; }

    // Waits until count pages have loaded since the driver was made.
    bool waitForPages(int count, int timeoutMs = 30000)
    {
        return waitUntil([&] { return loaded >= count; }, timeoutMs);
    }
    // Runs the step and waits for the next page.
    bool nextPage(const std::function<void()>& step)
    {
        const int before = loaded;
        step();
        return waitForPages(before + 1);
    }

    // The script's value in the page; a failure of the test when the page never answers.
    QVariant evaluate(const QString& script)
    {
        QVariant result;
        bool done = false;
        // An answer that comes after the wait has given up finds the flag, which outlives the wait, and stays away
        // from the wait's variables.
        auto abandoned = std::make_shared<bool>(false);
        browser->page()->runJavaScript(script, [&result, &done, abandoned](const QVariant& value) {
            if (*abandoned)
                return;
            result = value;
            done = true;
        });
        if (!waitUntil([&] { return done; }, 10000)) {
            *abandoned = true;
            ADD_FAILURE() << "no answer from the page to " << script.toStdString();
        }
        return result;
    }

    // Waits until the view shows what the page holds now: two animation frames have begun since, so the frame with
    // the present content has been drawn and handed to the view.
    bool waitForFrame()
    {
        evaluate("window.kvFramed = false; requestAnimationFrame(() => requestAnimationFrame(() => { window.kvFramed = "
                 "true; })); true");
        return waitUntil([&] { return evaluate("window.kvFramed === true").toBool(); }, 10000);
    }

    // The view's picture once it passes the check, for the checks of a screenshot; the last one taken when none
    // passes in time.
    QImage pictureWhen(const std::function<bool(const QImage&)>& shows, int timeoutMs = 10000)
    {
        QImage picture;
        waitUntil(
            [&] {
                picture = browser->grab().toImage();
                return shows(picture);
            },
            timeoutMs);
        return picture;
    }

    // Clicks the page's first element that the CSS selector finds, as the user would; false when there is none.
    bool click(const QString& selector)
    {
        return evaluate("(function () { const e = document.querySelector(" + jsString(selector) +
                        "); if (!e) return false; e.click(); return true; })()")
            .toBool();
    }
    // Clicks the link with that address.
    bool clickLink(const QString& href) { return click("a[href=\"" + href + "\"]"); }
    // Clicks the link with that address and waits for the page it leads to.
    bool followLink(const QString& href)
    {
        const int before = loaded;
        return clickLink(href) && waitForPages(before + 1);
    }
    // Sends the page to an address it need not offer, as a forged link would.
    void go(const QString& address) { evaluate("location.href = " + jsString(address) + "; true"); }

private:
    QPointer<TCppWebBrowser> browser;
    int loaded = 0;
};
