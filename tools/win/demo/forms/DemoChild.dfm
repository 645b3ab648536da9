object DemoChild: TDemoChild
  Width = 300
  Height = 180
  Caption = '文档'
  FormStyle = fsMDIChild
  object Label1: TLabel
    Left = 10
    Top = 12
    Caption = '内容：'
  end
  object Edit1: TEdit
    Left = 10
    Top = 36
    Width = 260
    Height = 24
    TabOrder = 0
  end
  object CloseButton: TButton
    Left = 10
    Top = 70
    Width = 90
    Height = 28
    Caption = '关闭'
    TabOrder = 1
    OnClick = CloseClick
  end
end
