// Debian's Chromium as the page's tests drive it: headless, quiet, with the profile given (where
// the service worker and IndexedDB keep what the page stored).
import puppeteer from "puppeteer-core";

export function launchChromium(profile) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
}
