object DemoTagged: TDemoPlainForm
  Tag = 99
  Left = 640
  Top = 540
  BorderStyle = bsSingle
  Caption = 'Tag 99：从不换肤'
  ClientWidth = 260
  ClientHeight = 90
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object Label1: TLabel
    Left = 10
    Top = 10
    Caption = '这个窗口的 Tag 是 99'
  end
  object CloseButton: TButton
    Left = 10
    Top = 46
    Width = 90
    Height = 28
    Caption = '关闭'
    TabOrder = 0
    OnClick = CloseClick
  end
end
