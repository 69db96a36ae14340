#pragma once
// The start-up path up to the main window's data ready (the look at the database, the opening,
// the menu) on a farm of about 50 MB, once with 30 backups beside it and once with none: the
// backups must cost the start nothing.
void benchStart();
