#!/usr/bin/env python3
# Writes ui/Texts.h: every interface text as code page 936 bytes. Run: scripts/make-texts.py > ui/Texts.h
texts = [
 ("kWindowCaption", "Kestrune（IIS版）"),
 ("kParseButton", "开始解析(F7)"),
 ("kFormatHint", "请确保日志格式为W3C，否则会解析失败！"),
 ("kRefreshButton", "刷新日志(F5)"),
 ("kDefaultDirButton", "定位默认位置"),
 ("kBrowseDirButton", "选择日志位置"),
 ("kDirLabel", "IIS日志位置："),
 ("kColumnDate", "日期"), ("kColumnTime", "时间"), ("kColumnServerIp", "服务器IP"),
 ("kColumnMethod", "请求方式"), ("kColumnUriStem", "访问页"), ("kColumnUriQuery", "查询参数"),
 ("kColumnPort", "端口"), ("kColumnUserName", "用户名"), ("kColumnClientIp", "来访者IP"),
 ("kColumnUserAgent", "UA"), ("kColumnStatus", "状态"), ("kColumnSubStatus", "协议子状态"),
 ("kColumnWin32Status", "WIN32状态"), ("kColumnTimeTaken", "响应时间"),
 ("kMainMenu", "菜单"), ("kCopyRowItem", "复制此项"), ("kSelectDirItem", "选择日志目录"),
 ("kRefreshItem", "刷新日志"), ("kParseItem", "解析日志文件"), ("kExitItem", "退出"),
 ("kHelpMenu", "帮助"), ("kCheckUpdateItem", "检查更新"), ("kAboutItem", "关于软件"),
 ("kNoDirectoryMessage", "请选择日志文件所在的目录后再次刷新！"),
 ("kNoLogFileMessage", "请选择日志文件后再次解析！"),
 ("kCopiedMessage", "复制本项成功！"),
 ("kUpdateNotice", "受版规限制，Morvane版本更新请关注相关帖！"),
 ("kFailCaption", "Fail"),
 ("kWindowFailedMessage", "主窗口创建失败！"),
 ("kInfoCaption", "提示："),
 ("kAboutCaption", "关于软件："),
 ("kAboutText", "Kestrune软件（IIS日志查看版）\r\n一个读取IIS访问日志（W3C格式）的小工具\r\n软件版本：v1.0.0.1124\r\n发布日期：2017年11月27日"),
 ("kFolderPrompt", "请选择日志目录"),
 ("kDefaultLogDirectory", "c:\\inetpub\\logs\\LogFiles\\"),
 ("kLogFilePattern", "*.log"),
 ("kCellSeparator", "  "),
 ("kFontFace", "YaHei Consolas Hybrid"),
]
def esc(s):
    b = s.encode("gbk")
    out = ""; prev_hex = False
    for x in b:
        c = chr(x)
        if x >= 0x80:
            out += "\\x%02X" % x; prev_hex = True
        else:
            if prev_hex and c in "0123456789abcdefABCDEF":
                out += '" "'
            prev_hex = False
            out += {"\\":"\\\\", '"':'\\"', "\r":"\\r", "\n":"\\n"}.get(c, c)
    return '"' + out + '"'
print('''// Every text of the interface, as bytes of code page 936 (the comment shows each one).
// They are converted explicitly at the Win32 call, so they show the same on every locale.
#pragma once

namespace ui::text {
''')
for name, s in texts:
    shown = s.replace("\r\n", "⏎")
    if shown.endswith("\\"):
        shown += " (with the trailing backslash)"
    print(f"// {shown}")
    print(f"inline constexpr char {name}[] = {esc(s)};")
print("\n}  // namespace ui::text")
