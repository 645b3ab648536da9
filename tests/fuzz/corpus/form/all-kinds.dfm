object Form1: TFuzzForm
  Level = lvHigh
  Caption = '登录 ''quoted'''#13#10'line'
  Anchors = [akLeft, akBottom]
  OnClick = Clicked
  object Panel1: TFuzzControl
    Visible = False
    Dock = dkClient
    Font.Height = -16
    Font.Name = 'Tahoma'
    Level = -2
    Items.Strings = (
      'one'
      'two' +
      'three')
    Data = {
      424D00FF
      7f}
  end
end
