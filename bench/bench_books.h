#pragma once
// The period books: the mating book over a farm of 1,000,000 breeding records and a one-year
// period against the bare query over the same rows, and a 1,000-row book filled into its work
// table and rendered to PDF.
void benchBooks();
