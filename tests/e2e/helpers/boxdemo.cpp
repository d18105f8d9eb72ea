// boxdemo: the boxes the harness checks itself against: a question, then an
// information or an error box depending on the answer, in code page 932
// text. Exits with the question's answer. "boxdemo hang" never ends.
#include <windows.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], "hang") == 0) {
    MessageBoxA(nullptr, "waiting", "Hang", MB_OK);
    Sleep(INFINITE);
  }
  // "続けますか?\nC:\ゲーム\ソフト" in code page 932 (ソ ends in 0x5C).
  const char question[] = "\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9?\nC:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\x83\x74\x83\x67";
  int answer = MessageBoxA(nullptr, question, "Box Demo", MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES)
    MessageBoxA(nullptr, "Done", "Box Demo", MB_ICONINFORMATION);
  else
    MessageBoxA(nullptr, "Stopped", "Box Demo Error", MB_ICONERROR);
  return answer;
}
