#pragma once
// The individual search over sample farms of 1,000, 10,000 and 100,000 animals: time from
// the query start to a filled list against the bare query time of the same run.
void benchSearch();
