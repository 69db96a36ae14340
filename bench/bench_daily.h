#pragma once
// The daily due lists (re-estrus and calving) over farms of 10,000 and 1,000,000 breeding
// records: time to a filled grid against the bare query over the same rows.
void benchDaily();
