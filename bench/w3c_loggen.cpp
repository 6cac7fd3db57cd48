// Writes a W3C extended log as IIS does with its default field set: a directive block at the
// start and again every 20,000 lines (as after a restart), CR LF line ends, '+' for the spaces
// inside user agents and queries, and a realistic mix of clients, paths, statuses and timings.
//
//   w3c_loggen OUT BYTES    writes whole lines up to at most BYTES bytes to OUT
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int kLinesPerHeaderBlock = 20000;

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {  // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 2685821657736338717ull;
  }
  unsigned Below(unsigned n) { return static_cast<unsigned>((Next() >> 32) % n); }
  bool Percent(unsigned p) { return Below(100) < p; }

 private:
  uint64_t state_;
};

const char* const kUserAgents[] = {
    "Mozilla/5.0+(Windows+NT+10.0;+Win64;+x64)+AppleWebKit/537.36+(KHTML,+like+Gecko)+Chrome/"
    "122.0.0.0+Safari/537.36",
    "Mozilla/5.0+(Windows+NT+10.0;+Win64;+x64)+AppleWebKit/537.36+(KHTML,+like+Gecko)+Chrome/"
    "122.0.0.0+Safari/537.36+Edg/122.0.2365.66",
    "Mozilla/5.0+(Windows+NT+10.0;+Win64;+x64;+rv:123.0)+Gecko/20100101+Firefox/123.0",
    "Mozilla/5.0+(Macintosh;+Intel+Mac+OS+X+10_15_7)+AppleWebKit/605.1.15+(KHTML,+like+Gecko)+"
    "Version/17.3.1+Safari/605.1.15",
    "Mozilla/5.0+(iPhone;+CPU+iPhone+OS+17_3_1+like+Mac+OS+X)+AppleWebKit/605.1.15+(KHTML,+like+"
    "Gecko)+Version/17.3.1+Mobile/15E148+Safari/604.1",
    "Mozilla/5.0+(Linux;+Android+14;+SM-S918B)+AppleWebKit/537.36+(KHTML,+like+Gecko)+Chrome/"
    "122.0.6261.105+Mobile+Safari/537.36",
    "Mozilla/5.0+(compatible;+bingbot/2.0;++http://www.bing.com/bingbot.htm)",
    "Mozilla/5.0+(compatible;+Googlebot/2.1;++http://www.google.com/bot.html)",
    "Mozilla/5.0+(compatible;+Baiduspider/2.0;++http://www.baidu.com/search/spider.html)",
    "Mozilla/4.0+(compatible;+MSIE+8.0;+Windows+NT+6.1;+Trident/4.0)",
    "curl/8.4.0",
    "python-requests/2.31.0",
    "Microsoft-WNS/10.0",
    "-",
};
constexpr unsigned kUserAgentWeights[] = {30, 12, 10, 8, 10, 8, 5, 5, 3, 2, 2, 2, 1, 2};

const char* const kServerIps[] = {"10.0.0.21", "10.0.0.22", "192.168.10.5"};
const char* const kUsers[] = {"CONTOSO\\jsmith", "CONTOSO\\li.wei", "admin", "svc-monitor"};
const char* const kSearchTerms[] = {"iis+log", "%E6%97%A5%E5%BF%97", "order+status",
                                    "invoice", "w3c+format",         "password+reset"};

struct Status {
  int status, substatus, win32;
};
const Status kStatuses[] = {
    {200, 0, 0}, {304, 0, 0}, {404, 0, 2},  {301, 0, 0},  {302, 0, 0},  {401, 2, 5},
    {401, 1, 0}, {500, 0, 0}, {500, 19, 0}, {403, 14, 0}, {200, 0, 64}, {200, 0, 1236},
};
constexpr unsigned kStatusWeights[] = {70, 12, 6, 3, 2, 2, 1, 1, 1, 1, 1, 1};

template <size_t N, class T>
const T& Weighted(Random& random, const T (&items)[N], const unsigned (&weights)[N]) {
  unsigned total = 0;
  for (size_t i = 0; i < N; ++i) total += weights[i];
  unsigned pick = random.Below(total);
  for (size_t i = 0; i < N; ++i) {
    if (pick < weights[i]) return items[i];
    pick -= weights[i];
  }
  return items[N - 1];
}

std::string ClientIp(Random& random) {
  char text[48];
  if (random.Percent(3)) {
    std::snprintf(text, sizeof text, "2001:db8:%x::%x", random.Below(0x10000),
                  random.Below(0x10000));
  } else {
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", 1 + random.Below(223), random.Below(256),
                  random.Below(256), 1 + random.Below(254));
  }
  return text;
}

// Method, stem and query of one request.
void Request(Random& random, std::string& method, std::string& stem, std::string& query) {
  char text[160];
  method = random.Percent(86)   ? "GET"
           : random.Percent(75) ? "POST"
           : random.Percent(60) ? "HEAD"
                                : "OPTIONS";
  query = "-";
  switch (random.Below(12)) {
    case 0:
      stem = "/";
      break;
    case 1:
      stem = "/favicon.ico";
      break;
    case 2:
      stem = "/robots.txt";
      break;
    case 3:
      stem = "/css/site.min.css";
      query = "v=20240301";
      break;
    case 4:
      std::snprintf(text, sizeof text, "/js/app.%08x.js", random.Below(1u << 31));
      stem = text;
      break;
    case 5:
      std::snprintf(text, sizeof text, "/images/products/%u/%u.jpg", random.Below(500),
                    random.Below(100000));
      stem = text;
      query = "w=640&h=480";
      break;
    case 6:
      std::snprintf(text, sizeof text, "/api/v1/orders/%u", 100000 + random.Below(900000));
      stem = text;
      std::snprintf(text, sizeof text, "format=json&_=%llu",
                    1709251200000ull + random.Below(1u << 30));
      query = text;
      break;
    case 7:
      std::snprintf(text, sizeof text, "/api/v1/customers/%u/invoices", random.Below(50000));
      stem = text;
      break;
    case 8:
      stem = "/search";
      std::snprintf(text, sizeof text, "q=%s&page=%u", kSearchTerms[random.Below(6)],
                    1 + random.Below(9));
      query = text;
      break;
    case 9:
      stem = "/Account/Login";
      query = "ReturnUrl=%2Forders%2F";
      break;
    case 10:
      std::snprintf(text, sizeof text, "/news/2024/%02u/article-%u.aspx", 1 + random.Below(12),
                    random.Below(5000));
      stem = text;
      break;
    default:
      stem = random.Percent(50) ? "/wp-login.php" : "/index.html";
      break;
  }
}

void AppendHeader(std::string& out, std::time_t now) {
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", std::gmtime(&now));
  out += "#Software: Microsoft Internet Information Services 10.0\r\n#Version: 1.0\r\n#Date: ";
  out += date;
  out +=
      "\r\n#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
      "cs(User-Agent) sc-status sc-substatus sc-win32-status time-taken\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUT BYTES\n", argv[0]);
    return 2;
  }
  const unsigned long long limit = std::strtoull(argv[2], nullptr, 10);
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }

  Random random(0x5eed2024);
  std::vector<std::string> clients;  // returning visitors make up most of the traffic
  for (int i = 0; i < 5000; ++i) clients.push_back(ClientIp(random));

  std::time_t now = 1709251200;  // 2024-03-01 00:00:00 UTC
  unsigned long long written = 0;
  std::string out, line, method, stem, query;
  char text[512];
  for (long lineNo = 0;; ++lineNo) {
    line.clear();
    if (lineNo % kLinesPerHeaderBlock == 0) AppendHeader(line, now);
    now += random.Below(3);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::gmtime(&now));
    Request(random, method, stem, query);
    const Status& status = Weighted(random, kStatuses, kStatusWeights);
    const unsigned slow = random.Below(100);
    const unsigned timeTaken = slow < 80   ? random.Below(60)
                               : slow < 98 ? 60 + random.Below(900)
                                           : 1000 + random.Below(30000);
    const std::string& client = random.Percent(90) ? clients[random.Below(5000)] : ClientIp(random);
    std::snprintf(text, sizeof text, "%s %s %s %s %s %s %s %s %s %d %d %d %u\r\n", stamp,
                  kServerIps[random.Below(3)], method.c_str(), stem.c_str(), query.c_str(),
                  random.Percent(70) ? "443" : "80",
                  random.Percent(95) ? "-" : kUsers[random.Below(4)], client.c_str(),
                  Weighted(random, kUserAgents, kUserAgentWeights), status.status, status.substatus,
                  status.win32, timeTaken);
    line += text;
    if (written + out.size() + line.size() > limit) break;
    out += line;
    if (out.size() >= (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), file);
      written += out.size();
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), file);
  written += out.size();
  if (std::fclose(file) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%s: %llu bytes\n", argv[1], written);
  return 0;
}
