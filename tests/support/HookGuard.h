#pragma once
// Every swappable hook of the program (messenger, exit, today, program folder, printer
// system, printer dialog, work-table pause, save-file chooser, PDF file asker, preview runner,
// farm header, recovery opener, folder chooser, import opener, import file chooser) back to its
// real behaviour when the guard goes, however the test ended. TestFarm holds one, so a test that
// uses a farm never leaks a hook into the next test.
class HookGuard {
public:
    HookGuard() = default;
    ~HookGuard();
    HookGuard(const HookGuard&) = delete;
    HookGuard& operator=(const HookGuard&) = delete;
};
