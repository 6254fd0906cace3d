// The HTTP API and the page, as one route table: what each address does is read there.
#pragma once

#include <optional>
#include <string>

#include "server/followers.h"
#include "server/session.h"
#include "server/site.h"
#include "server/store_workers.h"

namespace velmarto::server {

struct Api {
    StoreWorkers& workers;
    Followers& followers;
    const Site& site;
    // SHA-256 of the club key, when creating games and reading the season need it.
    std::optional<std::string> clubKeySha256;
};

Router RouterOf(Api& api);

}  // namespace velmarto::server
