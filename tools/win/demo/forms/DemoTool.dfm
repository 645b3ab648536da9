object DemoTool: TDemoPlainForm
  Left = 420
  Top = 540
  BorderStyle = bsToolWindow
  Caption = '工具窗口'
  ClientWidth = 180
  ClientHeight = 90
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object Label1: TLabel
    Left = 10
    Top = 10
    Caption = '小标题栏，只有关闭按钮'
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
