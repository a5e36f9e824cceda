#include "settings/device_help.h"

#include <QLabel>

#include "settings/frmSetup.h"

namespace orv::settings {

QStringList DeviceHelpLines() {
  static const char *const kLines[] = {
      "",
      "< KIS >",
      "- 키보드(PP311SM/Speed 115,200) 세팅은 PP301BU 로",
      "- 사인패드(KIS-SP100/Speed 57,600)",
      "- 최초키다운로드 버튼 활성화",
      "- C:\\Program Files\\KisAgent\\AgndInfo.ini 파일내 KeyDownDate= 값을 삭제한 다음 재실행",
      "",
      "< KICC >",
      "- 리더기(ED-947/Speed 57,600,Port 80)",
      "- 사인패드(EasyPad 서명패드,",
      "           EP-635,EP-635S,EP-622,EP-681,EP-731N/Speed 57,600)",
      "- 소캣에러 #10013 -> 웹서버를 종료할것 (웹서버포트 충돌)",
      "- EasyCard 서버포트 변경 방법",
      "- C:\\Program Files\\Kicc\\EasyCard2\\Setup.ini 파일내 HTTPPORT=포트번호 입력",
      "",
      "< SMARTRO >",
      "- 리더기(STM-D541(U)/Speed 115,200)",
      "- 사인패드(SMT-D123U/Speed 38,400)",
      "- 설정비번8153",
      "",
      "< 퍼스트데이터 >",
      "- 리더기(SR-E20E/Speed 38,400)",
      "- 사인패드(SP-N11/Speed 38,400)",
      "",
      "",
      "",
      "",
  };
  QStringList out;
  for (const char *l : kLines) out << QString::fromUtf8(l);
  return out;
}

}  // namespace orv::settings

void frmSetup::ShowDeviceHelp() {
  QString text;
  for (const QString &line : orv::settings::DeviceHelpLines()) text += line + QStringLiteral("\r\n");
  JangbiLbl->setText(text);
}
