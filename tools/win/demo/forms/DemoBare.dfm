object DemoBare: TDemoPlainForm
  Left = 920
  Top = 540
  BorderStyle = bsNone
  ClientWidth = 220
  ClientHeight = 100
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 220
    Height = 100
    Align = alClient
    object Label1: TLabel
      Left = 10
      Top = 12
      Caption = '没有标题栏，只有控件'
    end
    object CloseButton: TButton
      Left = 10
      Top = 56
      Width = 90
      Height = 28
      Caption = '关闭'
      TabOrder = 0
      OnClick = CloseClick
    end
  end
end
