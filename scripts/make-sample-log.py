#!/usr/bin/env python3
"""Writes a realistic IIS W3C log (default field set, CR LF line ends) of about SIZE MiB.

usage: make-sample-log.py PATH SIZE_MIB [SEED]
A directive block (#Software, #Version, #Date, #Fields) opens the file and repeats every
20,000 lines, as IIS writes it when a log rolls over within one file.
"""
import random
import sys

FIELDS = ("date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
          "cs(User-Agent) sc-status sc-substatus sc-win32-status time-taken")
AGENTS = [
    "Mozilla/5.0+(Windows+NT+10.0;+Win64;+x64)+AppleWebKit/537.36+(KHTML,+like+Gecko)+Chrome/119.0.0.0+Safari/537.36",
    "Mozilla/5.0+(Macintosh;+Intel+Mac+OS+X+10_15_7)+AppleWebKit/605.1.15+(KHTML,+like+Gecko)+Version/17.1+Safari/605.1.15",
    "Mozilla/5.0+(compatible;+Baiduspider/2.0;++http://www.baidu.com/search/spider.html)",
    "Mozilla/5.0+(iPhone;+CPU+iPhone+OS+17_1+like+Mac+OS+X)+AppleWebKit/605.1.15+(KHTML,+like+Gecko)+Mobile/15E148",
    "Mozilla/5.0+(Windows+NT+6.1;+WOW64;+Trident/7.0;+rv:11.0)+like+Gecko",
    "curl/8.4.0",
    "Mozilla/5.0+(compatible;+bingbot/2.0;++http://www.bing.com/bingbot.htm)",
]
STEMS = ["/", "/index.aspx", "/news/list.aspx", "/news/detail.aspx", "/api/orders", "/login.aspx",
         "/static/site.css", "/static/app.js", "/images/logo.png", "/favicon.ico", "/search.aspx"]
QUERIES = ["-", "-", "-", "id=1024", "page=2&size=20", "q=iis+log", "ReturnUrl=%2Fadmin"]
METHODS = ["GET"] * 8 + ["POST", "HEAD"]
STATUS = [("200", "0", "0")] * 12 + [("304", "0", "0"), ("404", "0", "2"), ("500", "0", "64"),
                                      ("401", "2", "5")]
USERS = ["-"] * 9 + ["CONTOSO\\admin"]


def header(day):
    return ("#Software: Microsoft Internet Information Services 10.0\r\n#Version: 1.0\r\n"
            f"#Date: 2017-11-{day:02d} 00:00:00\r\n#Fields: {FIELDS}\r\n")


def main():
    path, size_mib = sys.argv[1], float(sys.argv[2])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1124)
    target = int(size_mib * 1024 * 1024)
    clients = [f"{rng.randint(1, 223)}.{rng.randint(0, 255)}.{rng.randint(0, 255)}.{rng.randint(1, 254)}"
               for _ in range(500)]
    # One block of varied lines, reused with a different date each time: fast and realistic.
    lines = []
    for i in range(20000):
        status, sub, win32 = rng.choice(STATUS)
        second = i * 86400 // 20000
        lines.append(" ".join([
            "{date}", f"{second // 3600:02d}:{second // 60 % 60:02d}:{second % 60:02d}", "10.0.0.5",
            rng.choice(METHODS), rng.choice(STEMS), rng.choice(QUERIES), rng.choice(["80", "443"]),
            rng.choice(USERS), rng.choice(clients), rng.choice(AGENTS), status, sub, win32,
            str(int(rng.expovariate(1 / 120)))]))
    block = "\r\n".join(lines) + "\r\n"
    written = 0
    with open(path, "wb") as out:
        day = 1
        while written < target:
            chunk = (header(day % 28 + 1) + block.replace("{date}", f"2017-11-{day % 28 + 1:02d}"))
            last = written + len(chunk) >= target
            if last:  # end on a whole line
                chunk = chunk[: chunk.rfind("\r\n", 0, max(target - written, 2)) + 2]
            out.write(chunk.encode("ascii"))
            written += len(chunk)
            if last:
                break
            day += 1


if __name__ == "__main__":
    main()
